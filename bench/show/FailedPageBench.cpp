// Time from a page's turn (Page Down sent) to the next page's first paint on the
// screen, when the page whose turn it is fails (its connection is refused, its port is
// one the web engine will not contact, its scheme is unknown, its response is a file to
// save) and, for comparison, when it loads. One saver runs for all repetitions of a
// kind: the pages alternate green and blue, and a pixel sampler reads the screen's
// centre every 2 ms.
#include <benchmark/benchmark.h>

#include <chrono>
#include <map>
#include <memory>

#include "PixelSampler.h"
#include "SaverRun.h"

namespace saver {
namespace {

constexpr test::Rgb kGreen = 0x00C000;
constexpr test::Rgb kBlue = 0x0000C0;
constexpr int kPaintTimeoutMs = 30000;

// A running show of `pages` (site pages or full addresses) with a sampler on its screen.
struct SampledShow {
    explicit SampledShow(const std::vector<std::string>& pages) {
        if (!run.StartX()) {
            return;
        }
        sampler = std::make_unique<test::PixelSampler>(run.Display(), 400, 300);
        std::vector<std::string> web;
        for (const std::string& page : pages) {
            web.push_back(page.find(':') == std::string::npos ? run.Url(page) : page);
        }
        if (run.MakeSaver("WebInterval=600\nWebShowStatus=0", web)) {
            run.Start();
            ready = sampler->WaitFor(kGreen, kPaintTimeoutMs);
        }
    }
    ~SampledShow() {
        run.Xdo("key Escape");
        run.Ended(10000);
    }

    test::SaverRun run;
    std::unique_ptr<test::PixelSampler> sampler;
    bool ready = false;
    bool on_green = true;
};

// Sends Page Down and times it until the other colour is on the screen.
void TimePageTurns(benchmark::State& state, SampledShow& show) {
    if (!show.ready) {
        state.SkipWithError("the show did not start");
        return;
    }
    for (auto _ : state) {
        const test::Rgb next = show.on_green ? kBlue : kGreen;
        const double sent = show.sampler->Now();
        show.run.Xdo("key Next");
        if (!show.sampler->WaitFor(next, kPaintTimeoutMs, sent)) {
            state.SkipWithError("the next page was not painted");
            return;
        }
        const double painted = show.sampler->Runs().back().first_ms;
        state.SetIterationTime((painted - sent) / 1000.0);
        show.on_green = !show.on_green;
    }
}

// Green, a page that fails, blue: from green, Page Down gives the failing page's turn;
// from blue it wraps to green. Each kind of failure has a show of its own.
void BM_FailedPageTurnToNextPaint(benchmark::State& state, const std::string& failing) {
    static std::map<std::string, std::unique_ptr<SampledShow>> shows;
    std::unique_ptr<SampledShow>& kept = shows[failing];
    if (!kept) {
        kept = std::make_unique<SampledShow>(std::vector<std::string>{"g.htm", failing, "b.htm"});
    }
    SampledShow& show = *kept;
    TimePageTurns(state, show);
    // Back to green through a page that loads, untimed.
    if (show.ready && !show.on_green) {
        const double sent = show.sampler->Now();
        show.run.Xdo("key Next");
        show.sampler->WaitFor(kGreen, kPaintTimeoutMs, sent);
        show.on_green = true;
    }
}

// The same turns between two pages that load.
void BM_LoadedPageTurnToPaint(benchmark::State& state) {
    static SampledShow show({"g.htm", "b.htm"});
    TimePageTurns(state, show);
}

// One page turn per repetition, timed by the sampler.
void PageTurns(benchmark::internal::Benchmark* benchmark) {
    benchmark->UseManualTime()->Iterations(1)->Repetitions(10)->ReportAggregatesOnly()->Unit(
        benchmark::kMillisecond);
}

BENCHMARK_CAPTURE(BM_FailedPageTurnToNextPaint, Refused, test::RefusedUrl())->Apply(PageTurns);
BENCHMARK_CAPTURE(BM_FailedPageTurnToNextPaint, RestrictedPort, std::string("http://127.0.0.1:1/"))
    ->Apply(PageTurns);
BENCHMARK_CAPTURE(BM_FailedPageTurnToNextPaint, UnknownScheme, std::string("nosuchscheme:page"))
    ->Apply(PageTurns);
BENCHMARK_CAPTURE(BM_FailedPageTurnToNextPaint, FileToSave, std::string("download-attachment.bin"))
    ->Apply(PageTurns);
BENCHMARK(BM_LoadedPageTurnToPaint)->Apply(PageTurns);

}  // namespace
}  // namespace saver

BENCHMARK_MAIN();
