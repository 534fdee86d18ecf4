#include "platform/linux/gtk/XineramaHeads.h"

#include <X11/Xlib.h>
#include <X11/extensions/Xinerama.h>
#include <gdk/gdkx.h>

#include <algorithm>

namespace saver {

std::vector<MonitorArea> XineramaHeads(GdkDisplay* gdk_display) {
    std::vector<MonitorArea> heads;
    if (gdk_display == nullptr || !GDK_IS_X11_DISPLAY(gdk_display)) {
        return heads;
    }
    Display* display = gdk_x11_display_get_xdisplay(gdk_display);
    if (!XineramaIsActive(display)) {
        return heads;
    }
    int count = 0;
    XineramaScreenInfo* screens = XineramaQueryScreens(display, &count);
    for (int i = 0; i < count; ++i) {
        const MonitorArea head{screens[i].x_org, screens[i].y_org, screens[i].width,
                               screens[i].height};
        // Some servers report every head at the same place; such a copy is no new monitor.
        const bool seen = std::any_of(heads.begin(), heads.end(), [&](const MonitorArea& other) {
            return other.left == head.left && other.top == head.top && other.width == head.width &&
                   other.height == head.height;
        });
        if (!seen) {
            heads.push_back(head);
        }
    }
    if (screens != nullptr) {
        XFree(screens);
    }
    return heads;
}

}  // namespace saver
