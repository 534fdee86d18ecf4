#include "aatext/timer/TAATimerObject.h"

#include <algorithm>
#include <cmath>

#include "aatext/timer/TAATimerMgr.h"

namespace saver {

TAATimerObject::TAATimerObject(const TAATimerMgr& mgr) : mgr_(mgr), last_tick_(mgr.Now()) {}

void TAATimerObject::SetEnabled(bool value) {
    if (value == enabled_) {
        return;
    }
    enabled_ = value;
    tick_count_ = 0;
    if (value) {
        last_tick_ = mgr_.Now();
        mgr_.Wake();
    }
}

void TAATimerObject::SetInterval(uint32_t value) {
    if (value == interval_) {
        return;
    }
    interval_ = value;
    last_tick_ = mgr_.Now();
    mgr_.Wake();
}

void TAATimerObject::SetFPS(double fps) {
    if (fps < 0 || std::isnan(fps)) {
        return;
    }
    fps = std::clamp(fps, 1.0 / 65535, 1000.0);
    interval_ = static_cast<uint32_t>(std::nearbyint(1000.0 / fps));
    mgr_.Wake();
}

void TAATimerObject::SetSyncEvent(bool value) {
    sync_event_ = value;
    mgr_.Wake();
}

void TAATimerObject::SetOnTimer(TTimerEvent handler) {
    on_timer_ = std::move(handler);
    has_handler_ = static_cast<bool>(on_timer_);
    mgr_.Wake();
}

bool TAATimerObject::IsDue(bool sync_kind, uint32_t now) const {
    const uint32_t interval = interval_;
    return enabled_ && interval != 0 && sync_event_ == sync_kind &&
           static_cast<uint32_t>(now - last_tick_) >= interval && has_handler_;
}

uint32_t TAATimerObject::MillisecondsUntilDue(uint32_t now) const {
    const uint32_t interval = interval_;
    if (!enabled_ || interval == 0 || !has_handler_) {
        return UINT32_MAX;
    }
    const uint32_t elapsed = now - last_tick_;
    return elapsed >= interval ? 0 : interval - elapsed;
}

void TAATimerObject::FireIfDue(bool sync_kind, uint32_t now) {
    if (!IsDue(sync_kind, now)) {
        return;
    }
    last_tick_ = now;
    ++tick_count_;
    on_timer_(*this);
    if (!removed_ && repeat_count_ != 0 && tick_count_ >= repeat_count_) {
        SetEnabled(false);
    }
}

}  // namespace saver
