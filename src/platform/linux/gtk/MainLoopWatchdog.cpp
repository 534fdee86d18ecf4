#include "platform/linux/gtk/MainLoopWatchdog.h"

#include <gdk/gdkx.h>

#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace saver {
namespace {

using Clock = std::chrono::steady_clock;

constexpr guint kBeatMs = 500;
constexpr auto kLook = std::chrono::milliseconds(500);
// A look that comes this much later than asked means the process itself did not run.
constexpr auto kLateLook = std::chrono::milliseconds(3000);
// How long SIGTERM's handlers get before the process is killed outright.
constexpr unsigned kTermGraceS = 5;

gboolean BlockForGood(gpointer) {
    for (;;) {
        pause();
    }
    return G_SOURCE_REMOVE;
}

}  // namespace

MainLoopWatchdog::MainLoopWatchdog(GdkDisplay* display, std::chrono::milliseconds stall_limit)
    : x_connection_(GDK_IS_X11_DISPLAY(display)
                        ? ConnectionNumber(gdk_x11_display_get_xdisplay(display))
                        : -1),
      stall_limit_(stall_limit) {
    // Above the show's own timers and painting: the beat is late only when the loop
    // does not turn at all.
    beat_source_ = g_timeout_add_full(G_PRIORITY_HIGH, kBeatMs, Beat, this, nullptr);
    if (const char* block = std::getenv("SAVERHOST_TEST_BLOCK_MAIN_LOOP_MS"); block && *block) {
        block_source_ = g_timeout_add(static_cast<guint>(std::atoi(block)), BlockForGood, nullptr);
    }
    thread_ = std::thread([this] { Watch(); });
}

MainLoopWatchdog::~MainLoopWatchdog() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    thread_.join();
    g_source_remove(beat_source_);
    if (block_source_ != 0) {
        g_source_remove(block_source_);
    }
}

gboolean MainLoopWatchdog::Beat(gpointer self) {
    static_cast<MainLoopWatchdog*>(self)->beats_.fetch_add(1, std::memory_order_relaxed);
    return G_SOURCE_CONTINUE;
}

void MainLoopWatchdog::Watch() {
    uint64_t last_beats = beats_.load(std::memory_order_relaxed);
    auto last_change = Clock::now();
    auto last_look = last_change;
    std::unique_lock lock(mutex_);
    while (!wake_.wait_for(lock, kLook, [this] { return stopping_; })) {
        const auto now = Clock::now();
        const uint64_t beats = beats_.load(std::memory_order_relaxed);
        // A beat, or a look far behind time (the process was stopped, or starved as a
        // whole), starts the count again.
        if (beats != last_beats || now - last_look > kLateLook) {
            last_beats = beats;
            last_change = now;
        }
        last_look = now;
        if (now - last_change >= stall_limit_) {
            EndProcess();
        }
    }
}

void MainLoopWatchdog::EndProcess() const {
    const std::string message = "saverhost: the show has not responded for " +
                                std::to_string(stall_limit_.count() / 1000) +
                                " s; ending it to give the keyboard and mouse back\n";
    (void)!write(STDERR_FILENO, message.data(), message.size());
    // The X server sees the connection go and undoes everything the show holds there,
    // even while the main thread still sits in it.
    if (x_connection_ >= 0) {
        shutdown(x_connection_, SHUT_RDWR);
    }
    kill(getpid(), SIGTERM);
    sleep(kTermGraceS);
    kill(getpid(), SIGKILL);
    std::abort();
}

}  // namespace saver
