// The feed ticker's cost, under Xvfb.
//
// BM_TickerCycleStall: a real ticker (libcurl, GTK feed window, animation timers on the
// main loop) loads a generated 5 MB feed from a loopback server, shows it, scrolls at the
// end of a block of ten, fades out, loads it again and fades in. A 1 ms high-priority
// timeout measures the main loop: `max_gap_ms` is the longest time between two of its
// runs (1 ms when the loop never stalls), `p99_gap_ms` the 99th percentile.
//
// BM_SaverCpu: a real saver over a static page for 30 s, with the ticker scrolling and
// fading (a 12-item feed, an item every 2 s) and without; `cpu_percent` is the CPU time
// of the saver and its web processes in percent of one core.
//
// BM_OverlayScrollFrame: one frame of the list's scroll in a full-screen show window over
// a static page, the ticker's feed window at the opacity the argument gives: the frame
// composed and handed to the feed window (`compose_us`), the show window's changed area
// drawn again, page and translucent ticker, in one paint of its frame clock (`paint_us`),
// and the X server done with it (`sync_us`). The time per iteration is their sum.
#include <benchmark/benchmark.h>
#include <glib.h>
#include <gtk/gtk.h>
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <sstream>

#include "SaverRun.h"
#include "TickerListLines.h"
#include "aatext/text/TAAScrollText.h"
#include "aatext/text/TickerDesign.h"
#include "aatext/timer/TAATimerMgr.h"
#include "feeds/ticker/FeedTicker.h"
#include "platform/linux/GlibDispatcher.h"
#include "platform/linux/curl/CurlHttpClient.h"
#include "platform/linux/gtk/GtkWindowSystem.h"
#include "settings/SaverSettingsFile.h"
#include "support/FakePlatform.h"
#include "support/FeedServer.h"
#include "support/TestServers.h"

namespace saver {
namespace {

using Clock = std::chrono::steady_clock;

// 22,000 generated items: about 5 MB.
constexpr const char* kBigFeed = "generated/22000.xml";

struct GapProbe {
    Clock::time_point last = Clock::now();
    std::vector<double> gaps_ms;

    static gboolean Tick(gpointer self) {
        auto* probe = static_cast<GapProbe*>(self);
        const Clock::time_point now = Clock::now();
        probe->gaps_ms.push_back(
            std::chrono::duration<double, std::milli>(now - probe->last).count());
        probe->last = now;
        return G_SOURCE_CONTINUE;
    }
};

bool RunUntil(const std::function<bool()>& done, int timeout_ms) {
    const Clock::time_point end = Clock::now() + std::chrono::milliseconds(timeout_ms);
    while (!done() && Clock::now() < end) {
        g_main_context_iteration(nullptr, TRUE);
    }
    return done();
}

void RunFor(int ms) {
    RunUntil([] { return false; }, ms);
}

// GTK on an X server of the benchmarks' own, started once for the process; false when
// either cannot be started.
bool StartGtk() {
    static test::XvfbServer x;
    static const bool started = [] {
        if (x.Display().empty()) {
            return false;
        }
        setenv("DISPLAY", x.Display().c_str(), 1);
        gdk_set_allowed_backends("x11");
        return static_cast<bool>(gtk_init_check(nullptr, nullptr));
    }();
    return started;
}

void BM_TickerCycleStall(benchmark::State& state) {
    test::FeedServer server(std::string(SAVER_TEST_DATA) + "/feeds");
    if (!StartGtk() || server.BaseUrl().empty()) {
        state.SkipWithError("no X server, GTK or feed server");
        return;
    }
    static GlibDispatcher timer_dispatcher;
    SetTimerDispatcher(&timer_dispatcher);
    for (auto _ : state) {
        GtkWindowSystem windows;
        auto show = windows.CreateShowWindow(nullptr);
        show->ShowFullScreen();
        IniFile file = IniFile::Parse("[feeds]\nBig=" + server.Url(kBigFeed) + "\n");
        TSaverSetting settings;
        settings.UseFeed = true;
        settings.RandomFeed = false;
        settings.FeedList = BuildFeedList(file);
        RandomSource random{1};
        GlibDispatcher dispatcher;
        CurlHttpClient http(dispatcher);
        ItemViewer viewer;
        test::FakeShell shell;  // Enter is never pressed here
        FeedTicker ticker(TickerEnvironment{settings,
                                            file,
                                            random,
                                            windows,
                                            http,
                                            shell,
                                            viewer,
                                            "/tmp/",
                                            "",
                                            {},
                                            nullptr,
                                            &timer_dispatcher});
        GapProbe probe;
        const guint source =
            g_timeout_add_full(G_PRIORITY_HIGH, 1, GapProbe::Tick, &probe, nullptr);
        ticker.StartFeedTicker(*show, 1);
        TRSSFontForm& form = *ticker.Form();
        auto shown = [&] {
            return form.RSS().Items().Count() > 0 && form.Window().Opacity() >= 195;
        };
        bool ok = RunUntil(shown, 120000);
        form.DisplayItem(9);  // the end of a block of ten: the list scrolls for 7050 ms
        RunFor(7500);
        ok = ok && ticker.HandleTickerInput(InputMessage{WM_KEYDOWN, VK_RIGHT, 1, 0});
        RunUntil([&] { return form.Window().Opacity() < 3; }, 10000);
        ok = ok && RunUntil([&] { return !form.Busy() && form.Window().Opacity() >= 195; }, 120000);
        g_source_remove(source);
        ticker.StopFeedTicker();
        if (!ok) {
            state.SkipWithError("the ticker cycle did not complete");
            return;
        }
        std::sort(probe.gaps_ms.begin(), probe.gaps_ms.end());
        state.counters["max_gap_ms"] = probe.gaps_ms.back();
        state.counters["p99_gap_ms"] = probe.gaps_ms[probe.gaps_ms.size() * 99 / 100];
        state.counters["items"] = form.RSS().Items().Count();
    }
}
BENCHMARK(BM_TickerCycleStall)->Iterations(1)->Unit(benchmark::kSecond);

// Counts the paints of a frame clock and times the last one.
struct PaintProbe {
    Clock::time_point started;
    double last_us = 0;
    int paints = 0;

    static void Before(GdkFrameClock*, gpointer self) {
        static_cast<PaintProbe*>(self)->started = Clock::now();
    }
    static void After(GdkFrameClock*, gpointer self) {
        auto* probe = static_cast<PaintProbe*>(self);
        probe->last_us =
            std::chrono::duration<double, std::micro>(Clock::now() - probe->started).count();
        ++probe->paints;
    }
};

double MicrosecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::micro>(Clock::now() - start).count();
}

// The show window GtkShowWindow made: the one top-level window titled "show".
GtkWidget* ShowToplevel() {
    GtkWidget* found = nullptr;
    GList* windows = gtk_window_list_toplevels();
    for (GList* item = windows; item; item = item->next) {
        if (g_strcmp0(gtk_window_get_title(GTK_WINDOW(item->data)), "show") == 0) {
            found = GTK_WIDGET(item->data);
        }
    }
    g_list_free(windows);
    return found;
}

void BM_OverlayScrollFrame(benchmark::State& state) {
    if (!StartGtk()) {
        state.SkipWithError("no X server or GTK");
        return;
    }
    GtkWindowSystem windows;
    auto show = windows.CreateShowWindow(nullptr);
    show->WebBrowser().Load(std::string(SAVER_TEST_DATA) + "/show/site/plain.htm");
    show->ShowFullScreen();
    RunFor(2000);  // the page loaded and painted
    std::unique_ptr<FeedWindow> ticker = show->CreateFeedWindow();
    ticker->SetBounds(12, 12, 437, 289);
    ticker->SetOpacity(static_cast<int>(state.range(0)));
    ticker->Show();
    TAATimerMgr timers{nullptr};
    TAAScrollText list(timers);
    ApplyTickerDesign(list, TickerArea::List);
    list.SetSize(423, 235);
    list.Text().SetLines(bench::TickerListLines());
    list.Surface = [&](const Bitmap24& frame) {
        ticker->DrawPicture(
            1, 7, 51, PixelRows{frame.Row(0), frame.Width(), frame.Height(), frame.RowLength()});
    };
    list.Paint();
    GtkWidget* toplevel = ShowToplevel();
    GdkFrameClock* clock = toplevel ? gtk_widget_get_frame_clock(toplevel) : nullptr;
    if (!clock) {
        state.SkipWithError("no show window on the screen");
        return;
    }
    PaintProbe probe;
    g_signal_connect(clock, "before-paint", G_CALLBACK(PaintProbe::Before), &probe);
    g_signal_connect(clock, "after-paint", G_CALLBACK(PaintProbe::After), &probe);
    RunFor(500);
    GdkDisplay* display = gdk_display_get_default();
    double compose_us = 0;
    double paint_us = 0;
    double sync_us = 0;
    int offset = 0;
    for (auto _ : state) {
        const int paints = probe.paints;
        const Clock::time_point start = Clock::now();
        list.SetScrollOffset(++offset);
        const double compose = MicrosecondsSince(start);
        if (!RunUntil([&] { return probe.paints > paints; }, 5000)) {
            state.SkipWithError("the show window was not drawn again");
            break;
        }
        const Clock::time_point synced = Clock::now();
        gdk_display_sync(display);
        const double sync = MicrosecondsSince(synced);
        compose_us += compose;
        paint_us += probe.last_us;
        sync_us += sync;
        state.SetIterationTime((compose + probe.last_us + sync) / 1e6);
    }
    g_signal_handlers_disconnect_by_data(clock, &probe);
    const double frames = static_cast<double>(state.iterations());
    state.counters["compose_us"] = compose_us / frames;
    state.counters["paint_us"] = paint_us / frames;
    state.counters["sync_us"] = sync_us / frames;
}
BENCHMARK(BM_OverlayScrollFrame)
    ->Arg(200)
    ->Arg(255)
    ->Iterations(300)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);

// CPU ticks (user and system) of every process of the group.
long GroupTicks(pid_t group) {
    std::istringstream pids(test::CommandOutput("pgrep -g " + std::to_string(group)));
    long ticks = 0;
    for (std::string pid; pids >> pid;) {
        std::ifstream stat("/proc/" + pid + "/stat");
        std::string text((std::istreambuf_iterator<char>(stat)), {});
        const size_t close = text.rfind(')');
        if (close == std::string::npos) {
            continue;
        }
        std::istringstream fields(text.substr(close + 2));
        std::string field;
        for (int i = 3; i <= 15 && fields >> field; ++i) {
            if (i == 14 || i == 15) {
                ticks += std::stol(field);
            }
        }
    }
    return ticks;
}

void BM_SaverCpu(benchmark::State& state) {
    const bool with_ticker = state.range(0) != 0;
    for (auto _ : state) {
        test::FeedServer server(std::string(SAVER_TEST_DATA) + "/feeds");
        test::SaverRun run;
        const std::string feeds =
            "UseFeed=" + std::string(with_ticker ? "1" : "0") +
            "\nRandomFeed=0\nBlogInterval=2\n[feeds]\nTwelve=" + server.Url("generated/12.xml") +
            "\n";
        if (!run.StartShow("WebInterval=600\n" + feeds, {"plain.htm"})) {
            state.SkipWithError("no X server or saver");
            return;
        }
        sleep(5);  // start-up and the first load are not measured
        const long before = GroupTicks(run.SaverPid());
        sleep(30);
        const long after = GroupTicks(run.SaverPid());
        state.counters["cpu_percent"] =
            100.0 * static_cast<double>(after - before) / (30.0 * sysconf(_SC_CLK_TCK));
        run.Xdo("key Escape");
        run.Ended(10000);
    }
}
BENCHMARK(BM_SaverCpu)->Arg(0)->Arg(1)->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace
}  // namespace saver

BENCHMARK_MAIN();
