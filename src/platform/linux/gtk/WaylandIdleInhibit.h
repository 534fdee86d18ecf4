#pragma once

#include <gdk/gdk.h>

#include <vector>

#include "platform/linux/gtk/ScreenSaverHold.h"

struct wl_event_queue;
struct zwp_idle_inhibit_manager_v1;
struct zwp_idle_inhibitor_v1;

namespace saver {

// The compositor's idle start held off through the idle-inhibit protocol
// (zwp_idle_inhibit_manager_v1): while held, every window of the process that is on the
// screen then carries an inhibitor, which counts while its surface is visible. Nothing
// is held where the compositor does not offer the protocol.
class WaylandIdleInhibit : public ScreenSaverHold {
  public:
    // `display` is a Wayland display of GDK.
    explicit WaylandIdleInhibit(GdkDisplay* display);
    ~WaylandIdleInhibit() override;
    WaylandIdleInhibit(const WaylandIdleInhibit&) = delete;
    WaylandIdleInhibit& operator=(const WaylandIdleInhibit&) = delete;

    void Hold(bool held) override;
    // True when the compositor offers the protocol.
    bool Offered() const { return manager_ != nullptr; }

  private:
    void Release();

    GdkDisplay* display_;
    wl_event_queue* queue_ = nullptr;
    zwp_idle_inhibit_manager_v1* manager_ = nullptr;
    std::vector<zwp_idle_inhibitor_v1*> inhibitors_;
};

}  // namespace saver
