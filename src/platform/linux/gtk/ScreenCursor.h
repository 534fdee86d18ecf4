#pragma once

#include <gdk/gdk.h>

namespace saver {

// Hides the cursor over every window of the display's screen (XFixes), whatever cursor
// the windows set, or shows it again. The X server ends the hiding with the process's
// connection at the latest. Calls must alternate; false when the display cannot hide it.
bool HideScreenCursor(GdkDisplay* display, bool hide);

}  // namespace saver
