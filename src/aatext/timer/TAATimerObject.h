#pragma once

#include <atomic>
#include <cstdint>
#include <functional>

namespace saver {

class TAATimerObject;
class TAATimerMgr;
using TTimerEvent = std::function<void(TAATimerObject& sender)>;

// One timer of the shared animation timer thread. Its fields are written by its owner
// on the user-interface thread and read by the manager's scan on the timer thread, so
// they are atomic. The handler is set before the timer is used.
class TAATimerObject {
  public:
    explicit TAATimerObject(const TAATimerMgr& mgr);

    bool Enabled() const { return enabled_; }
    uint32_t TickCount() const { return tick_count_; }
    uint32_t Interval() const { return interval_; }
    uint32_t LastTick() const { return last_tick_; }
    uint32_t RepeatCount() const { return repeat_count_; }
    bool SyncEvent() const { return sync_event_; }
    double FPS() const {
        const uint32_t interval = interval_;
        return interval == 0 ? 0.0 : 1000.0 / interval;
    }

    // A change restarts the count; enabling restarts the period.
    void SetEnabled(bool value);
    // A change restarts the period.
    void SetInterval(uint32_t value);
    // Sets the interval to 1000 / fps (fps kept within 1/65535 .. 1000); a negative fps
    // is ignored. The period is not restarted.
    void SetFPS(double fps);
    void SetRepeatCount(uint32_t value) { repeat_count_ = value; }
    void SetSyncEvent(bool value);

    // The handler; a timer without one never fires.
    void SetOnTimer(TTimerEvent handler);

    // Whether the timer would fire at `now` for this kind of delivery.
    bool IsDue(bool sync_kind, uint32_t now) const;
    // Milliseconds from `now` until the timer is due; UINT32_MAX when it cannot fire.
    uint32_t MillisecondsUntilDue(uint32_t now) const;

  private:
    friend class TAATimerMgr;
    // Fires the timer if it is due at `now` for this kind of delivery.
    void FireIfDue(bool sync_kind, uint32_t now);

    const TAATimerMgr& mgr_;
    std::atomic<bool> enabled_ = true;
    std::atomic<uint32_t> tick_count_ = 0;
    std::atomic<uint32_t> interval_ = 1000;
    std::atomic<uint32_t> last_tick_ = 0;
    std::atomic<uint32_t> repeat_count_ = 0;
    std::atomic<bool> sync_event_ = true;
    std::atomic<bool> has_handler_ = false;
    TTimerEvent on_timer_;
    bool removed_ = false;
};

}  // namespace saver
