#include "platform/linux/gtk/WaylandOutputs.h"

#include <gdk/gdkwayland.h>
#include <gtk-layer-shell.h>

namespace saver {
namespace {

// The index of the monitor at `area` on `display`; 0 when none is.
int MonitorIndexAt(GdkDisplay* display, const MonitorArea& area) {
    const int count = gdk_display_get_n_monitors(display);
    for (int i = 0; i < count; ++i) {
        GdkRectangle geometry;
        gdk_monitor_get_geometry(gdk_display_get_monitor(display, i), &geometry);
        if (geometry.x == area.left && geometry.y == area.top && geometry.width == area.width &&
            geometry.height == area.height) {
            return i;
        }
    }
    return 0;
}

void MakeOverlaySurface(GtkWindow* window, GdkMonitor* monitor) {
    gtk_layer_init_for_window(window);
    gtk_layer_set_namespace(window, "saverhost");
    gtk_layer_set_layer(window, GTK_LAYER_SHELL_LAYER_OVERLAY);
    gtk_layer_set_monitor(window, monitor);
    for (GtkLayerShellEdge edge : {GTK_LAYER_SHELL_EDGE_LEFT, GTK_LAYER_SHELL_EDGE_RIGHT,
                                   GTK_LAYER_SHELL_EDGE_TOP, GTK_LAYER_SHELL_EDGE_BOTTOM}) {
        gtk_layer_set_anchor(window, edge, TRUE);
    }
    // Over the panels' reserved areas too, without moving anything out of the way.
    gtk_layer_set_exclusive_zone(window, -1);
    gtk_layer_set_keyboard_mode(window, gtk_window_get_accept_focus(window)
                                            ? GTK_LAYER_SHELL_KEYBOARD_MODE_EXCLUSIVE
                                            : GTK_LAYER_SHELL_KEYBOARD_MODE_NONE);
}

}  // namespace

bool IsWaylandDisplay(GdkDisplay* display) {
    return display != nullptr && GDK_IS_WAYLAND_DISPLAY(display);
}

void CoverOutput(GtkWindow* window, const MonitorArea& area) {
    GdkDisplay* display = gtk_widget_get_display(GTK_WIDGET(window));
    const int index = MonitorIndexAt(display, area);
    if (gtk_layer_is_supported()) {
        MakeOverlaySurface(window, gdk_display_get_monitor(display, index));
    } else {
        gtk_window_fullscreen_on_monitor(window, gtk_widget_get_screen(GTK_WIDGET(window)), index);
    }
}

}  // namespace saver
