// Loading a 5 MB RSS 2.0 feed of 10,000 items: TSimpleRSS against libxml2's own parse of
// the same bytes into a document, which is the floor for any reader built on it.
#include <benchmark/benchmark.h>
#include <libxml/parser.h>
#include <sys/resource.h>

#include <cstring>
#include <fstream>
#include <iostream>
#include <sstream>

#include "GeneratedFeed.h"
#include "feeds/readers/TSimpleRSS.h"

namespace {

constexpr int kItems = 10000;
// Peak resident memory before any benchmark ran, with the generated feed in memory.
double g_baseline_megabytes = 0;

const std::string& Feed() {
    static const std::string feed = saver::GeneratedFeed(kItems);
    return feed;
}

double PeakRssMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0;
}

void BM_LoadFromStream(benchmark::State& state) {
    const std::string& feed = Feed();
    for (auto _ : state) {
        std::istringstream stream(feed);
        saver::TSimpleRSS rss;
        rss.LoadFromStream(stream);
        if (rss.Items().Count() != kItems) {
            state.SkipWithError("not every item was read");
        }
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * feed.size()));
    // The stream's own copy of the feed counts too, as it would for a download.
    state.counters["peak_growth_MB"] = PeakRssMegabytes() - g_baseline_megabytes;
}
BENCHMARK(BM_LoadFromStream)->Unit(benchmark::kMillisecond);

void BM_Libxml2Parse(benchmark::State& state) {
    const std::string& feed = Feed();
    for (auto _ : state) {
        xmlDocPtr doc = xmlReadMemory(feed.data(), static_cast<int>(feed.size()), nullptr, nullptr,
                                      XML_PARSE_NOENT | XML_PARSE_NONET);
        benchmark::DoNotOptimize(doc);
        xmlFreeDoc(doc);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * feed.size()));
}
BENCHMARK(BM_Libxml2Parse)->Unit(benchmark::kMillisecond);

}  // namespace

// "--write-feed PATH" writes the generated feed for comparisons with other programs.
int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "--write-feed") == 0) {
        std::ofstream(argv[2], std::ios::binary) << Feed();
        return 0;
    }
    g_baseline_megabytes = (Feed(), PeakRssMegabytes());
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
