// hold-inhibit: a program of the session that keeps the screen saver off, for the idle
// watcher's tests, until SIGTERM ends it.
//   hold-inhibit screensaver    waits until org.freedesktop.ScreenSaver answers, holds an
//                               Inhibit and prints "inhibited COOKIE"
//   hold-inhibit gnome-session  stands in for GNOME's session manager: owns
//                               org.gnome.SessionManager, whose IsInhibited(flags) says
//                               true for the idle flag (8), and prints "owned"
#include <gio/gio.h>
#include <glib-unix.h>

#include <cstdio>
#include <cstring>

namespace {

constexpr const char* kSessionManager = R"(<node>
  <interface name="org.gnome.SessionManager">
    <method name="IsInhibited">
      <arg type="u" name="flags" direction="in"/>
      <arg type="b" name="is_inhibited" direction="out"/>
    </method>
  </interface>
</node>)";

gboolean Quit(gpointer loop) {
    g_main_loop_quit(static_cast<GMainLoop*>(loop));
    return G_SOURCE_REMOVE;
}

bool HoldScreenSaverInhibit(GDBusConnection* bus) {
    for (int attempt = 0; attempt < 600; ++attempt) {
        GVariant* reply = g_dbus_connection_call_sync(
            bus, "org.freedesktop.ScreenSaver", "/org/freedesktop/ScreenSaver",
            "org.freedesktop.ScreenSaver", "Inhibit",
            g_variant_new("(ss)", "test", "a video plays"), G_VARIANT_TYPE("(u)"),
            G_DBUS_CALL_FLAGS_NONE, 10000, nullptr, nullptr);
        if (reply != nullptr) {
            guint32 cookie = 0;
            g_variant_get(reply, "(u)", &cookie);
            g_variant_unref(reply);
            std::printf("inhibited %u\n", cookie);
            std::fflush(stdout);
            return true;
        }
        g_usleep(100000);
    }
    return false;
}

void OnSessionManagerCall(GDBusConnection*, const gchar*, const gchar*, const gchar*,
                          const gchar* method, GVariant* parameters,
                          GDBusMethodInvocation* invocation, gpointer) {
    guint32 flags = 0;
    if (std::strcmp(method, "IsInhibited") == 0) {
        g_variant_get(parameters, "(u)", &flags);
    }
    g_dbus_method_invocation_return_value(invocation, g_variant_new("(b)", (flags & 8) != 0));
}

bool OwnSessionManager(GDBusConnection* bus) {
    static const GDBusInterfaceVTable vtable = {OnSessionManagerCall, nullptr, nullptr, {}};
    GDBusNodeInfo* node = g_dbus_node_info_new_for_xml(kSessionManager, nullptr);
    const guint object = g_dbus_connection_register_object(
        bus, "/org/gnome/SessionManager", node->interfaces[0], &vtable, nullptr, nullptr, nullptr);
    g_dbus_node_info_unref(node);
    GVariant* reply = g_dbus_connection_call_sync(
        bus, "org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus", "RequestName",
        g_variant_new("(su)", "org.gnome.SessionManager", 4u), G_VARIANT_TYPE("(u)"),
        G_DBUS_CALL_FLAGS_NONE, 10000, nullptr, nullptr);
    guint32 result = 0;
    if (reply != nullptr) {
        g_variant_get(reply, "(u)", &result);
        g_variant_unref(reply);
    }
    if (object == 0 || result != 1) {  // 1: the primary owner now
        return false;
    }
    std::printf("owned\n");
    std::fflush(stdout);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    const bool screensaver = argc == 2 && std::strcmp(argv[1], "screensaver") == 0;
    const bool gnome_session = argc == 2 && std::strcmp(argv[1], "gnome-session") == 0;
    if (!screensaver && !gnome_session) {
        std::fprintf(stderr, "usage: hold-inhibit screensaver|gnome-session\n");
        return 2;
    }
    GDBusConnection* bus = g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, nullptr);
    if (bus == nullptr || !(screensaver ? HoldScreenSaverInhibit(bus) : OwnSessionManager(bus))) {
        std::fprintf(stderr, "hold-inhibit: no session bus, or the call failed\n");
        return 1;
    }
    GMainLoop* loop = g_main_loop_new(nullptr, FALSE);
    g_unix_signal_add(SIGTERM, Quit, loop);
    g_main_loop_run(loop);
    g_main_loop_unref(loop);
    g_object_unref(bus);
    return 0;
}
