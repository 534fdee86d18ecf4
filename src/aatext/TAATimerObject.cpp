#include "aatext/TAATimerObject.h"

#include <algorithm>
#include <cmath>

#include "aatext/TAATimerMgr.h"

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
    }
}

void TAATimerObject::SetInterval(uint32_t value) {
    if (value == interval_) {
        return;
    }
    interval_ = value;
    last_tick_ = mgr_.Now();
}

void TAATimerObject::SetFPS(double fps) {
    if (fps < 0 || std::isnan(fps)) {
        return;
    }
    fps = std::clamp(fps, 1.0 / 65535, 1000.0);
    interval_ = static_cast<uint32_t>(std::nearbyint(1000.0 / fps));
}

void TAATimerObject::FireIfDue(bool sync_kind, uint32_t now) {
    if (!enabled_ || interval_ == 0 || sync_event_ != sync_kind ||
        static_cast<uint32_t>(now - last_tick_) < interval_ || !OnTimer) {
        return;
    }
    last_tick_ = now;
    ++tick_count_;
    OnTimer(*this);
    if (!removed_ && repeat_count_ != 0 && tick_count_ >= repeat_count_) {
        SetEnabled(false);
    }
}

}  // namespace saver
