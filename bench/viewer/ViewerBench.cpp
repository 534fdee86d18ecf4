// The item viewer's cost, under Xvfb with a real feed window and web view.
//
// BM_ShowItemWarm: ShowItem to the item's page complete and the viewer fitted to it, in
// the viewer's one web view that has shown an item before (as during a show).
// BM_ShowItemFreshView: the same page in a fresh viewer (a new window and web view, as if
// the viewer made one per item).
// Both report the median of 10.
//
// BM_BigItemStall: items of a 5 MB description and of a million nested tags shown one
// after the other; `max_gap_ms` is the longest time between two runs of a 1 ms
// high-priority timeout on the main loop, i.e. its longest stall; `show_item_ms` the
// longest ShowItem call (page built, written, placed and its load started).
#include <benchmark/benchmark.h>
#include <glib.h>
#include <gtk/gtk.h>
#include <stdlib.h>

#include <algorithm>
#include <chrono>
#include <sstream>

#include "feeds/readers/TSimpleRSS.h"
#include "feeds/viewer/FeedItemViewer.h"
#include "platform/linux/gtk/GtkWindowSystem.h"
#include "support/TempFolder.h"
#include "support/TestServers.h"

namespace saver {
namespace {

using Clock = std::chrono::steady_clock;

constexpr int kTimeoutMs = 120000;

bool RunUntil(const std::function<bool()>& done, int timeout_ms) {
    const Clock::time_point end = Clock::now() + std::chrono::milliseconds(timeout_ms);
    while (!done() && Clock::now() < end) {
        g_main_context_iteration(nullptr, TRUE);
    }
    return done();
}

std::string XmlText(const std::string& text) {
    std::string escaped;
    escaped.reserve(text.size() * 2);
    for (char c : text) {
        escaped += c == '<' ? "&lt;" : c == '&' ? "&amp;" : std::string(1, c);
    }
    return escaped;
}

void LoadItems(TSimpleRSS& rss, const std::vector<std::string>& descriptions) {
    std::string xml = "<rss><channel><title>Bench</title>";
    for (const std::string& description : descriptions) {
        xml += "<item><title>A headline of the day about something</title><description>" +
               XmlText(description) + "</description></item>";
    }
    std::istringstream feed(xml + "</channel></rss>");
    rss.LoadFromStream(feed);
}

// A typical item: a few paragraphs of text with some markup.
std::string TypicalDescription() {
    std::string text;
    for (int i = 0; i < 4; ++i) {
        text += "<p>Paragraph " + std::to_string(i) +
                " of a story, with <b>bold</b> and <i>italic</i> words, long enough to wrap "
                "over a few lines of the viewer.</p>";
    }
    return text;
}

// X, GTK and one viewer environment for a benchmark.
class Bench {
  public:
    Bench() : x_(1, "1024x768") {
        if (x_.Display().empty()) {
            return;
        }
        setenv("DISPLAY", x_.Display().c_str(), 1);
        gdk_set_allowed_backends("x11");
        ready_ = gtk_init_check(nullptr, nullptr);
        settings_.BlogShow = true;
        ticker_.right_edge = 449;
        if (ready_) {
            show_ = windows_.CreateShowWindow(nullptr);
            show_->ShowFullScreen();
            ticker_.show = show_.get();
        }
    }
    bool Ready() const { return ready_; }

    std::unique_ptr<FeedItemViewer> MakeViewer() {
        auto viewer = std::make_unique<FeedItemViewer>(
            ViewerEnvironment{settings_, windows_, draw_, folder_.Path(), "", nullptr});
        viewer->Attach(ticker_);
        return viewer;
    }

    // Shows item `index` and runs the loop until the viewer fitted itself to it; the
    // longest ShowItem call so far is kept in `show_item_ms` when it is given.
    static bool ShowAndFit(FeedItemViewer& viewer, TSimpleRSS& rss, int index,
                           double* show_item_ms = nullptr) {
        const int fits = viewer.Form() ? viewer.Form()->FitCount() : 0;
        const Clock::time_point start = Clock::now();
        viewer.ShowItem(rss, index);
        if (show_item_ms) {
            *show_item_ms =
                std::max(*show_item_ms,
                         std::chrono::duration<double, std::milli>(Clock::now() - start).count());
        }
        return RunUntil([&] { return viewer.Form()->FitCount() > fits; }, kTimeoutMs);
    }

  private:
    test::XvfbServer x_;
    bool ready_ = false;
    test::TempFolder folder_;
    TSaverSetting settings_;
    GtkWindowSystem windows_;
    std::unique_ptr<ShowWindow> show_;  // the viewers' windows lie in it
    RandomSource source_{3};
    SourceDraw draw_{source_};
    TickerShared ticker_;
};

Bench& TheBench() {
    static Bench bench;
    return bench;
}

void BM_ShowItemWarm(benchmark::State& state) {
    if (!TheBench().Ready()) {
        state.SkipWithError("no X server");
        return;
    }
    TSimpleRSS rss;
    LoadItems(rss, {TypicalDescription(), TypicalDescription() + "<p>Another.</p>"});
    auto viewer = TheBench().MakeViewer();
    if (!Bench::ShowAndFit(*viewer, rss, 0)) {  // the web process is warm from here on
        state.SkipWithError("the first item did not load");
        return;
    }
    int index = 1;
    for (auto _ : state) {
        const Clock::time_point start = Clock::now();
        const bool fitted = Bench::ShowAndFit(*viewer, rss, index);
        const Clock::time_point end = Clock::now();
        if (!fitted) {
            state.SkipWithError("an item did not load");
            return;
        }
        state.SetIterationTime(std::chrono::duration<double>(end - start).count());
        index = 1 - index;
    }
}
BENCHMARK(BM_ShowItemWarm)
    ->UseManualTime()
    ->Iterations(1)
    ->Repetitions(10)
    ->ReportAggregatesOnly()
    ->Unit(benchmark::kMillisecond);

void BM_ShowItemFreshView(benchmark::State& state) {
    if (!TheBench().Ready()) {
        state.SkipWithError("no X server");
        return;
    }
    TSimpleRSS rss;
    LoadItems(rss, {TypicalDescription() + "<p>Another.</p>"});
    for (auto _ : state) {
        const Clock::time_point start = Clock::now();
        auto viewer = TheBench().MakeViewer();
        const bool fitted = Bench::ShowAndFit(*viewer, rss, 0);
        const Clock::time_point end = Clock::now();
        if (!fitted) {
            state.SkipWithError("the item did not load");
            return;
        }
        state.SetIterationTime(std::chrono::duration<double>(end - start).count());
    }
}
BENCHMARK(BM_ShowItemFreshView)
    ->UseManualTime()
    ->Iterations(1)
    ->Repetitions(10)
    ->ReportAggregatesOnly()
    ->Unit(benchmark::kMillisecond);

struct GapProbe {
    Clock::time_point last = Clock::now();
    double max_ms = 0;

    static gboolean Tick(gpointer self) {
        auto* probe = static_cast<GapProbe*>(self);
        const Clock::time_point now = Clock::now();
        probe->max_ms = std::max(
            probe->max_ms, std::chrono::duration<double, std::milli>(now - probe->last).count());
        probe->last = now;
        return G_SOURCE_CONTINUE;
    }
};

void BM_BigItemStall(benchmark::State& state) {
    if (!TheBench().Ready()) {
        state.SkipWithError("no X server");
        return;
    }
    std::string big;
    while (big.size() < 5 * 1024 * 1024) {
        big += "<p>" + std::string(200, 'x') + " <b>word</b></p>\n";
    }
    std::string nested;
    nested.reserve(5 * 1000000);
    for (int i = 0; i < 1000000; ++i) {
        nested += "<i>";
    }
    TSimpleRSS rss;
    LoadItems(rss, {TypicalDescription(), big, nested});
    auto viewer = TheBench().MakeViewer();
    Bench::ShowAndFit(*viewer, rss, 0);
    for (auto _ : state) {
        GapProbe probe;
        const guint source =
            g_timeout_add_full(G_PRIORITY_HIGH, 1, GapProbe::Tick, &probe, nullptr);
        double show_item_ms = 0;
        bool fitted = true;
        for (int index : {1, 2}) {
            fitted = fitted && Bench::ShowAndFit(*viewer, rss, index, &show_item_ms);
        }
        g_source_remove(source);
        if (!fitted) {
            state.SkipWithError("a big item did not load");
            return;
        }
        state.counters["max_gap_ms"] = probe.max_ms;
        state.counters["show_item_ms"] = show_item_ms;
    }
}
BENCHMARK(BM_BigItemStall)->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace
}  // namespace saver

BENCHMARK_MAIN();
