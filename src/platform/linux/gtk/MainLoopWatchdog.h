#pragma once

#include <gdk/gdk.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace saver {

// Gives the user the desktop back when the main loop hangs while the show holds the
// keyboard and pointer. The main loop beats twice a second; a thread of its own watches
// the beats. When none has come for kStallLimit, the thread cuts the process's X
// connection (the X server then drops the grabs, the hidden cursor, the screen-saver
// suspension and the show's windows, as it does for any client that goes, and only the
// grabbing client could undo them otherwise), and ends the process with SIGTERM, whose
// handlers empty the working folder.
//
// Ten seconds: a turn of the main loop takes milliseconds, and the work that could take
// longer (copying package items, writing offline copies, the network) runs on threads
// of its own; the longest stalls seen on a busy 2-core machine (a cold web engine
// starting, a large page laid out) stay under two seconds. A user facing a frozen
// screen that ignores the keyboard gives it rather half a minute before pulling the
// plug. Time in which the whole process did not run (stopped, the machine asleep)
// never counts.
//
// SAVERHOST_TEST_BLOCK_MAIN_LOOP_MS=N (for the tests) blocks the main loop for good N ms
// after the watchdog starts.
class MainLoopWatchdog {
  public:
    static constexpr std::chrono::milliseconds kStallLimit{10000};

    // Watches the main loop of the default GLib context; `display` holds the grabs.
    explicit MainLoopWatchdog(GdkDisplay* display,
                              std::chrono::milliseconds stall_limit = kStallLimit);
    ~MainLoopWatchdog();
    MainLoopWatchdog(const MainLoopWatchdog&) = delete;
    MainLoopWatchdog& operator=(const MainLoopWatchdog&) = delete;

  private:
    static gboolean Beat(gpointer self);
    void Watch();
    [[noreturn]] void EndProcess() const;

    int x_connection_;  // the X display's socket; -1 on other displays
    std::chrono::milliseconds stall_limit_;
    std::atomic<uint64_t> beats_{0};
    guint beat_source_ = 0;
    guint block_source_ = 0;
    std::mutex mutex_;
    std::condition_variable wake_;
    bool stopping_ = false;
    std::thread thread_;
};

}  // namespace saver
