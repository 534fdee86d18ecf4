#include "aatext/timer/TAATimerMgr.h"

#include <algorithm>
#include <chrono>
#include <iostream>

#include "aatext/timer/TAATimerThread.h"

namespace saver {

TAATimerMgr::TAATimerMgr(UiDispatcher* ui, TickSource ticks)
    : ticks_(std::move(ticks)), on_error_([](const std::exception& e) {
          std::cerr << "timer handler failed: " << e.what() << "\n";
      }) {
    if (ui != nullptr) {
        thread_ = std::make_unique<TAATimerThread>(this, *ui);
    }
}

TAATimerMgr::~TAATimerMgr() {
    thread_.reset();
    std::lock_guard guard(lock_);
    while (!timers_.empty()) {
        timers_.pop_back();
    }
}

uint32_t TAATimerMgr::SystemTickCount() {
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<uint32_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

TAATimerObject* TAATimerMgr::Add() {
    auto object = std::make_unique<TAATimerObject>(*this);
    std::lock_guard guard(lock_);
    timers_.push_back(std::move(object));
    return timers_.back().get();
}

void TAATimerMgr::Remove(TAATimerObject* object) {
    std::lock_guard guard(lock_);
    const auto found = std::find_if(timers_.begin(), timers_.end(),
                                    [object](const auto& t) { return t.get() == object; });
    if (found == timers_.end()) {
        return;
    }
    (*found)->removed_ = true;
    if (firing_depth_ > 0) {
        removed_.push_back(std::move(*found));
    }
    timers_.erase(found);
}

int TAATimerMgr::Count() const {
    std::lock_guard guard(lock_);
    return static_cast<int>(timers_.size());
}

void TAATimerMgr::FireDue(bool sync_kind) {
    std::lock_guard guard(lock_);
    const uint32_t now = ticks_();
    // A snapshot, so handlers may add and remove timers; removed ones are skipped and
    // stay alive until the outermost firing ends.
    std::vector<TAATimerObject*> snapshot;
    for (const auto& timer : timers_) {
        snapshot.push_back(timer.get());
    }
    struct Depth {
        TAATimerMgr& mgr;
        explicit Depth(TAATimerMgr& m) : mgr(m) { ++mgr.firing_depth_; }
        ~Depth() {
            if (--mgr.firing_depth_ == 0) {
                mgr.removed_.clear();
            }
        }
    } depth(*this);
    for (TAATimerObject* timer : snapshot) {
        if (!timer->removed_) {
            timer->FireIfDue(sync_kind, now);
        }
    }
}

bool TAATimerMgr::AnyDue(bool sync_kind) const {
    std::lock_guard guard(lock_);
    const uint32_t now = ticks_();
    return std::any_of(timers_.begin(), timers_.end(),
                       [&](const auto& timer) { return timer->IsDue(sync_kind, now); });
}

uint32_t TAATimerMgr::MillisecondsUntilDue() const {
    std::lock_guard guard(lock_);
    const uint32_t now = ticks_();
    uint32_t until = UINT32_MAX;
    for (const auto& timer : timers_) {
        until = std::min(until, timer->MillisecondsUntilDue(now));
    }
    return until;
}

void TAATimerMgr::Wake() const {
    if (thread_) {
        thread_->Wake();
    }
}

void TAATimerMgr::FireDueReported(bool sync_kind) {
    try {
        FireDue(sync_kind);
    } catch (const std::exception& e) {
        on_error_(e);
    }
}

namespace {

struct ProcessTimers {
    UiDispatcher* dispatcher = nullptr;
    std::unique_ptr<TAATimerMgr> mgr;
};

ProcessTimers& Process() {
    static ProcessTimers timers;
    return timers;
}

}  // namespace

TAATimerMgr& TimerMgr() {
    ProcessTimers& process = Process();
    if (!process.mgr) {
        process.mgr = std::make_unique<TAATimerMgr>(process.dispatcher);
    }
    return *process.mgr;
}

void SetTimerDispatcher(UiDispatcher* ui) {
    Process().dispatcher = ui;
}

}  // namespace saver
