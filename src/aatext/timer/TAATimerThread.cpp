#include "aatext/timer/TAATimerThread.h"

#include <algorithm>
#include <stdexcept>

#include "aatext/timer/TAATimerMgr.h"
#include "platform/UiDispatcher.h"

namespace saver {

// The state of one hand-over, shared with the task posted to the user-interface thread,
// which may outlive the thread when the program ends before it runs.
struct TAATimerThread::HandOver {
    std::mutex mutex;
    std::condition_variable done_signal;
    bool armed = false;
    bool done = false;
};

TAATimerThread::TAATimerThread(TAATimerMgr* mgr, UiDispatcher& ui)
    : mgr_(mgr), ui_(ui), hand_over_(std::make_shared<HandOver>()) {
    if (mgr_ == nullptr) {
        throw std::logic_error("Assertion failure");
    }
    thread_ = std::thread([this] { Execute(); });
}

TAATimerThread::~TAATimerThread() {
    {
        std::lock_guard guard(mutex_);
        terminated_ = true;
    }
    wake_.notify_all();
    {
        // After this no hand-over is armed again (the thread checks terminated_ under
        // this lock), and a waiting one is released.
        std::lock_guard guard(hand_over_->mutex);
        hand_over_->armed = false;
        hand_over_->done = true;
    }
    hand_over_->done_signal.notify_all();
    thread_.join();
}

void TAATimerThread::Wake() {
    {
        std::lock_guard guard(mutex_);
        changed_ = true;
    }
    wake_.notify_all();
}

void TAATimerThread::Execute() {
    for (;;) {
        // Computed without holding mutex_: the manager's lock is taken inside, and timer
        // setters take the two in the other order.
        const auto until = std::chrono::milliseconds(mgr_->MillisecondsUntilDue());
        {
            std::unique_lock lock(mutex_);
            wake_.wait_for(lock, std::clamp(until, min_wait_, max_wait_),
                           [this] { return terminated_ || changed_; });
            changed_ = false;
            if (terminated_) {
                return;
            }
        }
        mgr_->FireDueReported(false);
        if (mgr_->AnyDue(true) && !HandToUiThread()) {
            return;
        }
    }
}

bool TAATimerThread::HandToUiThread() {
    std::shared_ptr<HandOver> state = hand_over_;
    {
        std::lock_guard guard(state->mutex);
        if (terminated_) {
            return false;
        }
        state->armed = true;
        state->done = false;
    }
    TAATimerMgr* mgr = mgr_;
    ui_.Post([state, mgr] {
        {
            std::lock_guard guard(state->mutex);
            if (!state->armed) {
                return;  // cancelled: the manager may be gone
            }
        }
        // No lock is held while the handlers run, so a handler may end the program.
        mgr->FireDueReported(true);
        {
            std::lock_guard guard(state->mutex);
            state->armed = false;
            state->done = true;
        }
        state->done_signal.notify_all();
    });
    std::unique_lock wait(state->mutex);
    state->done_signal.wait(wait, [&] { return state->done; });
    return !terminated_;
}

}  // namespace saver
