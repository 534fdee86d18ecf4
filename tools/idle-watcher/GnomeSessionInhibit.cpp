#include "GnomeSessionInhibit.h"

namespace saver {
namespace {

// GsmInhibitorFlag: 8 keeps the session from being marked idle.
constexpr guint32 kInhibitIdle = 8;
constexpr int kCallTimeoutMs = 2000;

}  // namespace

bool GnomeSessionIdleInhibited(GDBusConnection* bus) {
    if (bus == nullptr) {
        return false;
    }
    GVariant* reply = g_dbus_connection_call_sync(
        bus, "org.gnome.SessionManager", "/org/gnome/SessionManager", "org.gnome.SessionManager",
        "IsInhibited", g_variant_new("(u)", kInhibitIdle), G_VARIANT_TYPE("(b)"),
        G_DBUS_CALL_FLAGS_NO_AUTO_START, kCallTimeoutMs, nullptr, nullptr);
    if (reply == nullptr) {
        return false;
    }
    gboolean inhibited = FALSE;
    g_variant_get(reply, "(b)", &inhibited);
    g_variant_unref(reply);
    return inhibited;
}

}  // namespace saver
