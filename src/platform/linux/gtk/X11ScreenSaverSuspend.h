#pragma once

#include <gdk/gdk.h>

#include "platform/linux/gtk/ScreenSaverHold.h"

namespace saver {

// The X server's own screen saver suspended (XScreenSaverSuspend) while held. The
// server ends the suspension with the process's connection at the latest.
class X11ScreenSaverSuspend : public ScreenSaverHold {
  public:
    // `display` is an X11 display of GDK.
    explicit X11ScreenSaverSuspend(GdkDisplay* display) : display_(display) {}
    void Hold(bool held) override;

  private:
    GdkDisplay* display_;
};

}  // namespace saver
