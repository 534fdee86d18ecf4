// Time from the exec of a saver with "/s" to its first page painted on the screen: on a
// headless sway session (natively, the saver running as the session's user, its pixels
// read with grim) and on Xvfb (read with XGetImage), side by side in one run. The same
// saver file goes to both, alternately; each repetition is a fresh saver process, while
// the session and the X server live for the whole run. The counters give the mean of
// each and their ratio, sway over Xvfb.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <functional>

#include "SaverRun.h"
#include "WaylandSaverRun.h"
#include "support/WaylandSession.h"

namespace saver {
namespace {

using Clock = std::chrono::steady_clock;
using test::SaverRun;
using test::WaylandSession;

constexpr const char* kPageColour = "#996633";  // p2.htm's background
constexpr const char* kSettings = "WebInterval=60\nWebShowStatus=0";

// The colour of one pixel of the session's screen, as "#RRGGBB"; empty when unread.
std::string SessionColour(const WaylandSession& session, int x, int y) {
    const std::string geometry = std::to_string(x) + "," + std::to_string(y) + " 1x1";
    const std::string ppm = session.Run({"grim", "-g", geometry, "-t", "ppm", "-"}).out;
    if (ppm.size() < 3) {
        return "";
    }
    char colour[8];
    std::snprintf(
        colour, sizeof colour, "#%02X%02X%02X", static_cast<unsigned char>(ppm[ppm.size() - 3]),
        static_cast<unsigned char>(ppm[ppm.size() - 2]), static_cast<unsigned char>(ppm.back()));
    return colour;
}

// Milliseconds from `start` until `painted` holds; negative when it did not within a
// minute.
double MsUntil(Clock::time_point start, const std::function<bool()>& painted) {
    const auto deadline = start + std::chrono::milliseconds(test::kColdStartMs);
    while (!painted()) {
        if (Clock::now() > deadline) {
            return -1;
        }
    }
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

void BM_FirstPaintSwayAndXvfb(benchmark::State& state) {
    WaylandSession session(test::Compositor::kSway);
    if (!session.Unavailable().empty()) {
        state.SkipWithError(session.Unavailable().c_str());
        return;
    }
    const auto keyboard = test::KeepAKeyboard(session);
    SaverRun x11;
    SaverRun wayland;
    if (!keyboard || !x11.StartX() || !x11.MakeSaver(kSettings, {x11.Url("p2.htm")}) ||
        !wayland.MakeSaver(kSettings, {wayland.Url("p2.htm")})) {
        state.SkipWithError("no keyboard, X server or saver");
        return;
    }
    test::ShareRunWithSession(wayland, session);
    const WaylandSession::Output output = session.SwayOutputs().at(0);
    double x11_total = 0;
    double wayland_total = 0;
    for (auto _ : state) {
        auto start = Clock::now();
        x11.Start();
        const double on_x11 =
            MsUntil(start, [&] { return x11.ScreenColour(400, 300) == kPageColour; });
        x11.Xdo("key Escape");
        x11.Ended();
        start = Clock::now();
        test::StartSaverInSession(wayland, session, {"/s"});
        const double on_wayland = MsUntil(start, [&] {
            return SessionColour(session, output.width / 2, output.height / 2) == kPageColour;
        });
        session.Key("Escape");
        wayland.Ended();
        if (on_x11 < 0 || on_wayland < 0) {
            state.SkipWithError("a first page was not painted");
            return;
        }
        x11_total += on_x11;
        wayland_total += on_wayland;
        state.SetIterationTime(on_wayland / 1000);
    }
    const double runs = static_cast<double>(state.iterations());
    state.counters["xvfb_ms"] = x11_total / runs;
    state.counters["sway_ms"] = wayland_total / runs;
    state.counters["sway_over_xvfb"] = wayland_total / x11_total;
}

BENCHMARK(BM_FirstPaintSwayAndXvfb)->UseManualTime()->Iterations(10)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace saver

BENCHMARK_MAIN();
