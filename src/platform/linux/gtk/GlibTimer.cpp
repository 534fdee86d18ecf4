#include "platform/linux/gtk/GlibTimer.h"

namespace saver {

GlibTimer::GlibTimer(int interval_ms, std::function<void()> tick)
    : interval_ms_(interval_ms), tick_(std::move(tick)) {}

GlibTimer::~GlibTimer() {
    SetEnabled(false);
}

void GlibTimer::SetEnabled(bool enabled) {
    if (enabled && source_ == 0) {
        source_ = g_timeout_add(static_cast<guint>(interval_ms_), OnTick, this);
    } else if (!enabled && source_ != 0) {
        g_source_remove(source_);
        source_ = 0;
    }
}

gboolean GlibTimer::OnTick(gpointer self) {
    // The tick may turn this timer off (and on again); the source then is no longer
    // ours to keep.
    auto* timer = static_cast<GlibTimer*>(self);
    const guint source = timer->source_;
    timer->tick_();
    return timer->source_ == source ? G_SOURCE_CONTINUE : G_SOURCE_REMOVE;
}

}  // namespace saver
