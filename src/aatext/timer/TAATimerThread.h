#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

namespace saver {

class TAATimerMgr;
class UiDispatcher;

// The thread of the timer manager: sleeps until the next timer is due (at least 1 ms,
// at most 100 ms at a time, and woken early when a timer changes), fires the due timers
// of the timer thread, then, when a user-interface timer is due, hands their firing to
// the dispatcher and waits until it has run. At most one hand-over is pending at any time, so ticks
// never pile up while the user-interface thread is busy.
class TAATimerThread {
  public:
    // Throws std::logic_error("Assertion failure") without a manager.
    TAATimerThread(TAATimerMgr* mgr, UiDispatcher& ui);
    // Tells the thread to end, wakes it, cancels a pending hand-over and waits for it.
    ~TAATimerThread();

    // A timer changed: the thread recomputes when to wake.
    void Wake();
    TAATimerThread(const TAATimerThread&) = delete;
    TAATimerThread& operator=(const TAATimerThread&) = delete;

  private:
    struct HandOver;

    void Execute();
    // Returns false when the thread was told to end meanwhile.
    bool HandToUiThread();

    TAATimerMgr* mgr_;
    UiDispatcher& ui_;
    const std::chrono::milliseconds min_wait_{1};
    const std::chrono::milliseconds max_wait_{100};
    std::mutex mutex_;
    std::condition_variable wake_;
    std::atomic<bool> terminated_ = false;
    bool changed_ = false;
    std::shared_ptr<HandOver> hand_over_;
    std::thread thread_;
};

}  // namespace saver
