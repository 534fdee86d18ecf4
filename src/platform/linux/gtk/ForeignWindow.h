#pragma once

#include <gtk/gtk.h>

#include <cstdint>
#include <optional>

#include "platform/WindowSystem.h"

namespace saver {

// The area of the X window `xid` of another program (0: the root window) on GTK's
// display, at (0, 0); nullopt when there is no such window.
std::optional<MonitorArea> ForeignWindowArea(uint64_t xid);

// Makes the top-level GTK `window` a child of the X window `parent` (0: the root
// window), at its top left corner. The window is realised first when it is not yet.
void ReparentInto(GtkWidget* window, uint64_t parent);

}  // namespace saver
