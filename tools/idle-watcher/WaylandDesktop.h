#pragma once

#include <gio/gio.h>

#include <cstdint>
#include <functional>

#include "IdleDesktop.h"

struct wl_display;
struct wl_registry;
struct wl_seat;
struct ext_idle_notifier_v1;
struct ext_idle_notification_v1;
struct org_kde_kwin_idle;
struct org_kde_kwin_idle_timeout;

namespace saver {

// A Wayland compositor that tells when its seat has been idle for the watcher's timeout:
// through ext-idle-notify-v1 where it offers that, else through KDE's older
// org_kde_kwin_idle. Both leave out the time the compositor's own idle inhibitors hold
// (a client playing a video), so the watcher needs no inhibit of its own for them. The
// compositor's events are read on the GLib main loop. Inhibits through GNOME's session
// manager count too.
class WaylandDesktop : public IdleDesktop {
  public:
    // Connects to the compositor of $WAYLAND_DISPLAY; throws std::runtime_error when it
    // cannot. `lost` is called when the compositor closes the connection.
    WaylandDesktop(int64_t timeout_ms, std::function<void()> lost);
    ~WaylandDesktop() override;
    WaylandDesktop(const WaylandDesktop&) = delete;
    WaylandDesktop& operator=(const WaylandDesktop&) = delete;

    // False when the compositor offers neither protocol (GNOME's mutter).
    bool Watches() const { return notification_ != nullptr || kde_timeout_ != nullptr; }

    std::string Description() const override;
    // 0 until the compositor says the seat is idle, then the timeout and the time since.
    int64_t InputIdleMs() const override;
    bool Inhibited() const override;
    void OnChange(std::function<void()> changed) override { changed_ = std::move(changed); }

  private:
    void Bind(wl_registry* registry, uint32_t name, const char* interface);
    void Watch();
    void SetIdle(bool idle);
    static gboolean OnEvents(gint fd, GIOCondition condition, gpointer self);

    int64_t timeout_ms_;
    std::function<void()> lost_;
    std::function<void()> changed_;
    std::string display_name_;
    wl_display* display_ = nullptr;
    wl_registry* registry_ = nullptr;
    wl_seat* seat_ = nullptr;
    ext_idle_notifier_v1* notifier_ = nullptr;
    org_kde_kwin_idle* kde_idle_ = nullptr;
    ext_idle_notification_v1* notification_ = nullptr;
    org_kde_kwin_idle_timeout* kde_timeout_ = nullptr;
    guint source_ = 0;
    // When the seat became idle, on the monotonic clock; -1 while it is not.
    int64_t idle_since_us_ = -1;
    GDBusConnection* bus_ = nullptr;
};

}  // namespace saver
