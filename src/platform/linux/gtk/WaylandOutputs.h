#pragma once

#include <gtk/gtk.h>

#include "platform/WindowSystem.h"

namespace saver {

// True when GDK's display is a Wayland one.
bool IsWaylandDisplay(GdkDisplay* display);

// Puts `window` over the whole output whose area is `area` (the first output when none
// has it), above panels and every other window: on compositors that offer layer-shell
// (wlroots, KDE) an overlay-layer surface anchored to the output's four edges that
// pushes nothing aside; elsewhere (GNOME) a full-screen toplevel on that output. A
// window that accepts the focus takes the keyboard whatever had it before (exclusively
// on layer-shell); one that does not takes no keys. Call before the window is realised.
void CoverOutput(GtkWindow* window, const MonitorArea& area);

}  // namespace saver
