#pragma once

#include <cstdint>
#include <functional>

namespace saver {

class TAATimerObject;
class TAATimerMgr;
using TTimerEvent = std::function<void(TAATimerObject& sender)>;

// One timer of the shared animation timer thread. Its fields are written by its owner
// on the user-interface thread and read by the manager's scan.
class TAATimerObject {
  public:
    explicit TAATimerObject(const TAATimerMgr& mgr);

    bool Enabled() const { return enabled_; }
    uint32_t TickCount() const { return tick_count_; }
    uint32_t Interval() const { return interval_; }
    uint32_t LastTick() const { return last_tick_; }
    uint32_t RepeatCount() const { return repeat_count_; }
    bool SyncEvent() const { return sync_event_; }
    double FPS() const { return interval_ == 0 ? 0.0 : 1000.0 / interval_; }

    // A change restarts the count; enabling restarts the period.
    void SetEnabled(bool value);
    // A change restarts the period.
    void SetInterval(uint32_t value);
    // Sets the interval to 1000 / fps (fps kept within 1/65535 .. 1000); a negative fps
    // is ignored. The period is not restarted.
    void SetFPS(double fps);
    void SetRepeatCount(uint32_t value) { repeat_count_ = value; }
    void SetSyncEvent(bool value) { sync_event_ = value; }

    TTimerEvent OnTimer;

  private:
    friend class TAATimerMgr;
    // Fires the timer if it is due at `now` for this kind of delivery.
    void FireIfDue(bool sync_kind, uint32_t now);

    const TAATimerMgr& mgr_;
    bool enabled_ = true;
    uint32_t tick_count_ = 0;
    uint32_t interval_ = 1000;
    uint32_t last_tick_ = 0;
    uint32_t repeat_count_ = 0;
    bool sync_event_ = true;
    bool removed_ = false;
};

}  // namespace saver
