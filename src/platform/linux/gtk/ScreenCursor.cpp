#include "platform/linux/gtk/ScreenCursor.h"

#include <X11/extensions/Xfixes.h>
#include <gdk/gdkx.h>

namespace saver {

bool HideScreenCursor(GdkDisplay* display, bool hide) {
    if (!GDK_IS_X11_DISPLAY(display)) {
        return false;
    }
    Display* xdisplay = gdk_x11_display_get_xdisplay(display);
    int event_base = 0;
    int error_base = 0;
    if (!XFixesQueryExtension(xdisplay, &event_base, &error_base)) {
        return false;
    }
    if (hide) {
        XFixesHideCursor(xdisplay, DefaultRootWindow(xdisplay));
    } else {
        XFixesShowCursor(xdisplay, DefaultRootWindow(xdisplay));
    }
    XFlush(xdisplay);
    return true;
}

}  // namespace saver
