#pragma once

#include <cstdint>

#include "aatext/timer/TAATimerMgr.h"
#include "aatext/timer/TAATimerObject.h"

namespace saver {

// A timer served by the shared animation timer thread; its properties are those of the
// timer object it registers with the manager for its lifetime.
class TAATimer {
  public:
    explicit TAATimer(TAATimerMgr& mgr = TimerMgr()) : mgr_(mgr), object_(mgr.Add()) {}
    ~TAATimer() { mgr_.Remove(object_); }
    TAATimer(const TAATimer&) = delete;
    TAATimer& operator=(const TAATimer&) = delete;

    bool Enabled() const { return object_->Enabled(); }
    void SetEnabled(bool value) { object_->SetEnabled(value); }
    uint32_t Interval() const { return object_->Interval(); }
    void SetInterval(uint32_t value) { object_->SetInterval(value); }
    double FPS() const { return object_->FPS(); }
    void SetFPS(double fps) { object_->SetFPS(fps); }
    uint32_t RepeatCount() const { return object_->RepeatCount(); }
    void SetRepeatCount(uint32_t value) { object_->SetRepeatCount(value); }
    bool SyncEvent() const { return object_->SyncEvent(); }
    void SetSyncEvent(bool value) { object_->SetSyncEvent(value); }
    void SetOnTimer(TTimerEvent handler) { object_->SetOnTimer(std::move(handler)); }
    TAATimerObject& Object() { return *object_; }

  private:
    TAATimerMgr& mgr_;
    TAATimerObject* object_;
};

}  // namespace saver
