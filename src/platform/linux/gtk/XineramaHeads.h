#pragma once

#include <gdk/gdk.h>

#include <vector>

#include "platform/WindowSystem.h"

namespace saver {

// The distinct heads the X server's Xinerama extension reports, in its order; empty when
// the extension is not active or `display` is no X11 display. GTK 3 only reads monitors through
// RandR, so a multi-head server that offers Xinerama alone would otherwise look like one wide
// monitor.
std::vector<MonitorArea> XineramaHeads(GdkDisplay* display);

}  // namespace saver
