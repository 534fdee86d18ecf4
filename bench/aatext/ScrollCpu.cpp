// Scrolls one list area at ScrollDelay 30 in a GLib main loop for a number of seconds
// (default 10) and prints the process's CPU time as a percentage of one core.
#include <glib.h>
#include <sys/resource.h>

#include <cstdio>
#include <cstdlib>

#include "TickerListLines.h"
#include "aatext/text/TAAScrollText.h"
#include "aatext/text/TickerDesign.h"
#include "platform/linux/GlibDispatcher.h"

namespace {

double CpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_utime.tv_usec / 1e6 + usage.ru_stime.tv_sec +
           usage.ru_stime.tv_usec / 1e6;
}

}  // namespace

int main(int argc, char** argv) {
    const int seconds = argc > 1 ? std::atoi(argv[1]) : 10;
    saver::GlibDispatcher ui;
    saver::TAATimerMgr timers(&ui);
    saver::TAAScrollText text(timers);
    saver::ApplyTickerDesign(text, saver::TickerArea::List);
    text.Text().SetLines(saver::bench::TickerListLines());
    text.Loaded();
    int frames = 0;
    text.OnPainted = [&](saver::TAAScrollText&) { ++frames; };
    text.SetActive(true);

    GMainLoop* loop = g_main_loop_new(nullptr, FALSE);
    g_timeout_add_seconds(
        static_cast<guint>(seconds),
        [](gpointer data) {
            g_main_loop_quit(static_cast<GMainLoop*>(data));
            return G_SOURCE_REMOVE;
        },
        loop);
    const double cpu_before = CpuSeconds();
    const gint64 start = g_get_monotonic_time();
    g_main_loop_run(loop);
    const double wall = (g_get_monotonic_time() - start) / 1e6;
    const double cpu = CpuSeconds() - cpu_before;
    std::printf("scrolled %d frames in %.2f s (%.1f frames/s); CPU %.3f s = %.2f %% of one core\n",
                frames, wall, frames / wall, cpu, 100.0 * cpu / wall);
    g_main_loop_unref(loop);
    return 0;
}
