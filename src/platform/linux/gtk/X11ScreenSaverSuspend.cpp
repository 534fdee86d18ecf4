#include "platform/linux/gtk/X11ScreenSaverSuspend.h"

#include <X11/extensions/scrnsaver.h>
#include <gdk/gdkx.h>

namespace saver {

void X11ScreenSaverSuspend::Hold(bool held) {
    Display* display = gdk_x11_display_get_xdisplay(display_);
    XScreenSaverSuspend(display, held ? True : False);
    XFlush(display);
}

}  // namespace saver
