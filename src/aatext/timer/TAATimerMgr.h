#pragma once

#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

#include "aatext/timer/TAATimerObject.h"

namespace saver {

class TAATimerThread;
class UiDispatcher;

// The shared list of animation timers and the thread that serves them.
//
// With a dispatcher, a thread wakes when the next timer is due (to the millisecond),
// fires the due timers whose SyncEvent is false on itself and, when one of the others is
// due, hands their firing to the user-interface thread, waiting until that has run. Without one no
// thread runs and FireDue is called by whoever drives the timers (tests, tools without a main
// loop).
class TAATimerMgr {
  public:
    using TickSource = std::function<uint32_t()>;
    using ErrorHandler = std::function<void(const std::exception&)>;

    explicit TAATimerMgr(UiDispatcher* ui, TickSource ticks = SystemTickCount);
    // Stops the thread (never waiting for a hand-over the user-interface thread will not
    // run any more), then frees the remaining timers from the last to the first.
    ~TAATimerMgr();
    TAATimerMgr(const TAATimerMgr&) = delete;
    TAATimerMgr& operator=(const TAATimerMgr&) = delete;

    TAATimerObject* Add();
    // Frees the object; one not in the list is ignored. Safe inside a timer handler.
    void Remove(TAATimerObject* object);
    // Fires, in list order, every due timer whose SyncEvent equals sync_kind.
    void FireDue(bool sync_kind);
    // Whether any timer whose SyncEvent equals sync_kind is due now.
    bool AnyDue(bool sync_kind) const;
    // Milliseconds until the next timer of either kind is due (0: one is due now);
    // UINT32_MAX when no timer can fire.
    uint32_t MillisecondsUntilDue() const;
    // Tells the thread that a timer changed, so it recomputes when to wake.
    void Wake() const;
    // FireDue with an exception passed to the error handler instead of the caller.
    void FireDueReported(bool sync_kind);

    uint32_t Now() const { return ticks_(); }
    int Count() const;

    // The application's standard exception handler; by default it writes to stderr.
    void SetErrorHandler(ErrorHandler handler) { on_error_ = std::move(handler); }

    // Milliseconds of a monotonic clock, wrapping at 2^32.
    static uint32_t SystemTickCount();

  private:
    TickSource ticks_;
    ErrorHandler on_error_;
    mutable std::recursive_mutex lock_;
    std::vector<std::unique_ptr<TAATimerObject>> timers_;
    // Objects removed while a firing runs; freed when the outermost firing ends.
    std::vector<std::unique_ptr<TAATimerObject>> removed_;
    int firing_depth_ = 0;
    std::unique_ptr<TAATimerThread> thread_;
};

// The process-wide manager, created on first use with the dispatcher given to
// SetTimerDispatcher (none: no thread runs). Destroyed when the program ends, so the
// dispatcher must live until then (GlibDispatcher keeps no state of its own).
TAATimerMgr& TimerMgr();
void SetTimerDispatcher(UiDispatcher* ui);

}  // namespace saver
