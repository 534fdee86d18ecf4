#pragma once

#include <gio/gio.h>

namespace saver {

// Whether GNOME's session manager (org.gnome.SessionManager on the session bus) holds
// the idle off: GNOME's programs, and the desktop portal for sandboxed ones, inhibit
// through it (flag 8, idle) rather than through org.freedesktop.ScreenSaver. False
// without a bus or without GNOME's session manager on it (the call starts no service).
bool GnomeSessionIdleInhibited(GDBusConnection* bus);

}  // namespace saver
