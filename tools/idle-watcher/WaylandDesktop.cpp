#include "WaylandDesktop.h"

#include <glib-unix.h>
#include <wayland-client.h>

#include <cstdlib>
#include <cstring>
#include <stdexcept>

#include "GnomeSessionInhibit.h"
#include "ext-idle-notify-v1-client-protocol.h"
#include "idle-client-protocol.h"

namespace saver {

WaylandDesktop::WaylandDesktop(int64_t timeout_ms, std::function<void()> lost)
    : timeout_ms_(timeout_ms), lost_(std::move(lost)) {
    const char* name = std::getenv("WAYLAND_DISPLAY");
    display_name_ = name != nullptr ? name : "";
    display_ = wl_display_connect(nullptr);
    if (display_ == nullptr) {
        throw std::runtime_error("cannot connect to the Wayland compositor of WAYLAND_DISPLAY=" +
                                 display_name_);
    }
    static const wl_registry_listener registry_listener = {
        .global =
            [](void* self, wl_registry* registry, uint32_t global, const char* interface,
               uint32_t) { static_cast<WaylandDesktop*>(self)->Bind(registry, global, interface); },
        .global_remove = [](void*, wl_registry*, uint32_t) {},
    };
    registry_ = wl_display_get_registry(display_);
    wl_registry_add_listener(registry_, &registry_listener, this);
    if (wl_display_roundtrip(display_) < 0) {
        throw std::runtime_error("the Wayland compositor does not answer");
    }
    Watch();
    bus_ = g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, nullptr);
}

WaylandDesktop::~WaylandDesktop() {
    if (source_ != 0) {
        g_source_remove(source_);
    }
    if (notification_ != nullptr) {
        ext_idle_notification_v1_destroy(notification_);
    }
    if (notifier_ != nullptr) {
        ext_idle_notifier_v1_destroy(notifier_);
    }
    if (kde_timeout_ != nullptr) {
        org_kde_kwin_idle_timeout_release(kde_timeout_);
    }
    if (kde_idle_ != nullptr) {
        org_kde_kwin_idle_destroy(kde_idle_);
    }
    if (seat_ != nullptr) {
        wl_seat_destroy(seat_);
    }
    if (registry_ != nullptr) {
        wl_registry_destroy(registry_);
    }
    wl_display_disconnect(display_);
    if (bus_ != nullptr) {
        g_object_unref(bus_);
    }
}

void WaylandDesktop::Bind(wl_registry* registry, uint32_t name, const char* interface) {
    // The first seat: the idle time of a session is that of its seat.
    if (std::strcmp(interface, wl_seat_interface.name) == 0 && seat_ == nullptr) {
        seat_ = static_cast<wl_seat*>(wl_registry_bind(registry, name, &wl_seat_interface, 1));
    } else if (std::strcmp(interface, ext_idle_notifier_v1_interface.name) == 0) {
        notifier_ = static_cast<ext_idle_notifier_v1*>(
            wl_registry_bind(registry, name, &ext_idle_notifier_v1_interface, 1));
    } else if (std::strcmp(interface, org_kde_kwin_idle_interface.name) == 0) {
        kde_idle_ = static_cast<org_kde_kwin_idle*>(
            wl_registry_bind(registry, name, &org_kde_kwin_idle_interface, 1));
    }
}

// One idle timer of the watcher's timeout on the seat; the compositor says when it runs out
// and when the user is back.
void WaylandDesktop::Watch() {
    if (seat_ == nullptr) {
        return;
    }
    const auto timeout = static_cast<uint32_t>(timeout_ms_);
    if (notifier_ != nullptr) {
        static const ext_idle_notification_v1_listener listener = {
            .idled =
                [](void* self, ext_idle_notification_v1*) {
                    static_cast<WaylandDesktop*>(self)->SetIdle(true);
                },
            .resumed =
                [](void* self, ext_idle_notification_v1*) {
                    static_cast<WaylandDesktop*>(self)->SetIdle(false);
                }};
        notification_ = ext_idle_notifier_v1_get_idle_notification(notifier_, timeout, seat_);
        ext_idle_notification_v1_add_listener(notification_, &listener, this);
    } else if (kde_idle_ != nullptr) {
        static const org_kde_kwin_idle_timeout_listener listener = {
            .idle =
                [](void* self, org_kde_kwin_idle_timeout*) {
                    static_cast<WaylandDesktop*>(self)->SetIdle(true);
                },
            .resumed =
                [](void* self, org_kde_kwin_idle_timeout*) {
                    static_cast<WaylandDesktop*>(self)->SetIdle(false);
                }};
        kde_timeout_ = org_kde_kwin_idle_get_idle_timeout(kde_idle_, seat_, timeout);
        org_kde_kwin_idle_timeout_add_listener(kde_timeout_, &listener, this);
    } else {
        return;
    }
    wl_display_flush(display_);
    source_ =
        g_unix_fd_add(wl_display_get_fd(display_),
                      static_cast<GIOCondition>(G_IO_IN | G_IO_ERR | G_IO_HUP), OnEvents, this);
    // Events that came with the roundtrip wait in the queue already.
    wl_display_dispatch_pending(display_);
}

gboolean WaylandDesktop::OnEvents(gint, GIOCondition, gpointer self) {
    auto* desktop = static_cast<WaylandDesktop*>(self);
    if (wl_display_dispatch(desktop->display_) < 0) {
        desktop->source_ = 0;
        if (desktop->lost_) {
            desktop->lost_();
        }
        return G_SOURCE_REMOVE;
    }
    wl_display_flush(desktop->display_);
    return G_SOURCE_CONTINUE;
}

void WaylandDesktop::SetIdle(bool idle) {
    // The compositor tells once the timeout has passed: the idle time began that long ago.
    idle_since_us_ = idle ? g_get_monotonic_time() - timeout_ms_ * 1000 : -1;
    if (changed_) {
        changed_();
    }
}

std::string WaylandDesktop::Description() const {
    return "the Wayland compositor " + display_name_ + " (" +
           (notification_ != nullptr ? "ext-idle-notify-v1" : "org_kde_kwin_idle") + ")";
}

int64_t WaylandDesktop::InputIdleMs() const {
    return idle_since_us_ < 0 ? 0 : (g_get_monotonic_time() - idle_since_us_) / 1000;
}

bool WaylandDesktop::Inhibited() const {
    return GnomeSessionIdleInhibited(bus_);
}

}  // namespace saver
