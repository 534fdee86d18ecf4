// Time from the exec of a saver with "/s" to its first page's document being complete
// (the page's load event, reported to the loopback server), under Xvfb. Each repetition
// is a fresh process, X server and user environment.
#include <benchmark/benchmark.h>

#include <chrono>

#include "SaverRun.h"

namespace saver {
namespace {

void BM_ShowStartToFirstPage(benchmark::State& state) {
    for (auto _ : state) {
        test::SaverRun run;
        if (!run.StartX() || !run.MakeSaver("WebInterval=60", {run.Url("onload.htm")})) {
            state.SkipWithError("no X server or saver");
            return;
        }
        const auto start = std::chrono::steady_clock::now();
        run.Start();
        const bool loaded = run.WaitFor("/after-load");
        const auto end = std::chrono::steady_clock::now();
        if (!loaded) {
            state.SkipWithError("the first page did not load");
            return;
        }
        state.SetIterationTime(std::chrono::duration<double>(end - start).count());
        run.Xdo("key Escape");
        run.Ended(10000);
    }
}

BENCHMARK(BM_ShowStartToFirstPage)
    ->UseManualTime()
    ->Iterations(1)
    ->Repetitions(5)
    ->ReportAggregatesOnly()
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace saver

BENCHMARK_MAIN();
