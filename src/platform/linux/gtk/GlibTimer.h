#pragma once

#include <glib.h>

#include <functional>

#include "platform/WindowSystem.h"

namespace saver {

// A Timer on a GLib timeout of the default main context.
class GlibTimer : public Timer {
  public:
    GlibTimer(int interval_ms, std::function<void()> tick);
    ~GlibTimer() override;
    GlibTimer(const GlibTimer&) = delete;
    GlibTimer& operator=(const GlibTimer&) = delete;

    void SetEnabled(bool enabled) override;
    bool Enabled() const override { return source_ != 0; }

  private:
    static gboolean OnTick(gpointer self);

    int interval_ms_;
    std::function<void()> tick_;
    guint source_ = 0;
};

}  // namespace saver
