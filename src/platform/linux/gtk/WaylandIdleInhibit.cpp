#include "platform/linux/gtk/WaylandIdleInhibit.h"

#include <gdk/gdkwayland.h>
#include <gtk/gtk.h>

#include <cstring>

#include "idle-inhibit-unstable-v1-client-protocol.h"

namespace saver {
namespace {

void OnGlobal(void* data, wl_registry* registry, uint32_t name, const char* interface, uint32_t) {
    if (std::strcmp(interface, zwp_idle_inhibit_manager_v1_interface.name) == 0) {
        *static_cast<zwp_idle_inhibit_manager_v1**>(data) =
            static_cast<zwp_idle_inhibit_manager_v1*>(
                wl_registry_bind(registry, name, &zwp_idle_inhibit_manager_v1_interface, 1));
    }
}

void OnGlobalRemoved(void*, wl_registry*, uint32_t) {}

constexpr wl_registry_listener kRegistryListener{OnGlobal, OnGlobalRemoved};

}  // namespace

WaylandIdleInhibit::WaylandIdleInhibit(GdkDisplay* display) : display_(display) {
    // The registry is read on a queue of our own, so that GDK's events are not
    // dispatched from in here.
    wl_display* wayland = gdk_wayland_display_get_wl_display(display_);
    queue_ = wl_display_create_queue(wayland);
    wl_registry* registry = wl_display_get_registry(wayland);
    wl_proxy_set_queue(reinterpret_cast<wl_proxy*>(registry), queue_);
    wl_registry_add_listener(registry, &kRegistryListener, &manager_);
    wl_display_roundtrip_queue(wayland, queue_);
    wl_registry_destroy(registry);
}

WaylandIdleInhibit::~WaylandIdleInhibit() {
    Release();
    if (manager_ != nullptr) {
        zwp_idle_inhibit_manager_v1_destroy(manager_);
    }
    wl_display_flush(gdk_wayland_display_get_wl_display(display_));
    wl_event_queue_destroy(queue_);
}

void WaylandIdleInhibit::Hold(bool held) {
    Release();
    if (!held || manager_ == nullptr) {
        return;
    }
    GList* windows = gtk_window_list_toplevels();
    for (GList* item = windows; item; item = item->next) {
        GdkWindow* window = gtk_widget_get_window(GTK_WIDGET(item->data));
        wl_surface* surface = window ? gdk_wayland_window_get_wl_surface(window) : nullptr;
        if (surface != nullptr) {
            inhibitors_.push_back(zwp_idle_inhibit_manager_v1_create_inhibitor(manager_, surface));
        }
    }
    g_list_free(windows);
    wl_display_flush(gdk_wayland_display_get_wl_display(display_));
}

void WaylandIdleInhibit::Release() {
    for (zwp_idle_inhibitor_v1* inhibitor : inhibitors_) {
        zwp_idle_inhibitor_v1_destroy(inhibitor);
    }
    inhibitors_.clear();
}

}  // namespace saver
