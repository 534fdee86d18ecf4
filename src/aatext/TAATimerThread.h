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

// The thread of the timer manager: wakes every millisecond, fires the due timers of the
// timer thread, then hands the firing of the user-interface timers to the dispatcher and
// waits until it has run. At most one hand-over is pending at any time, so ticks never
// pile up while the user-interface thread is busy.
class TAATimerThread {
  public:
    // Throws std::logic_error("Assertion failure") without a manager.
    TAATimerThread(TAATimerMgr* mgr, UiDispatcher& ui);
    // Tells the thread to end, wakes it, cancels a pending hand-over and waits for it.
    ~TAATimerThread();
    TAATimerThread(const TAATimerThread&) = delete;
    TAATimerThread& operator=(const TAATimerThread&) = delete;

  private:
    struct HandOver;

    void Execute();
    // Returns false when the thread was told to end meanwhile.
    bool HandToUiThread();

    TAATimerMgr* mgr_;
    UiDispatcher& ui_;
    const std::chrono::milliseconds wait_time_{1};
    std::mutex mutex_;
    std::condition_variable wake_;
    std::atomic<bool> terminated_ = false;
    std::shared_ptr<HandOver> hand_over_;
    std::thread thread_;
};

}  // namespace saver
