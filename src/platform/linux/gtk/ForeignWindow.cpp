#include "platform/linux/gtk/ForeignWindow.h"

#include <X11/Xlib.h>
#include <gdk/gdkx.h>

namespace saver {
namespace {

Window XidOrRoot(Display* display, uint64_t xid) {
    return xid != 0 ? static_cast<Window>(xid) : DefaultRootWindow(display);
}

}  // namespace

std::optional<MonitorArea> ForeignWindowArea(uint64_t xid) {
    GdkDisplay* gdk_display = gdk_display_get_default();
    Display* display = gdk_x11_display_get_xdisplay(gdk_display);
    XWindowAttributes attributes;
    // A window id that names nothing is an X error, not a crash.
    gdk_x11_display_error_trap_push(gdk_display);
    const Status found = XGetWindowAttributes(display, XidOrRoot(display, xid), &attributes);
    if (gdk_x11_display_error_trap_pop(gdk_display) != 0 || !found) {
        return std::nullopt;
    }
    return MonitorArea{0, 0, attributes.width, attributes.height};
}

void ReparentInto(GtkWidget* window, uint64_t parent) {
    gtk_widget_realize(window);
    GdkWindow* gdk_window = gtk_widget_get_window(window);
    // The window learns of its new parent's changes (its own destruction included).
    gdk_window_set_events(gdk_window, static_cast<GdkEventMask>(gdk_window_get_events(gdk_window) |
                                                                GDK_STRUCTURE_MASK));
    GdkDisplay* gdk_display = gdk_window_get_display(gdk_window);
    Display* display = gdk_x11_display_get_xdisplay(gdk_display);
    gdk_x11_display_error_trap_push(gdk_display);
    XReparentWindow(display, gdk_x11_window_get_xid(gdk_window), XidOrRoot(display, parent), 0, 0);
    XSync(display, False);
    gdk_x11_display_error_trap_pop_ignored(gdk_display);
}

}  // namespace saver
