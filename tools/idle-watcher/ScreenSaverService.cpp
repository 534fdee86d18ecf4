#include "ScreenSaverService.h"

#include <optional>
#include <string>

namespace saver {
namespace {

constexpr const char* kName = "org.freedesktop.ScreenSaver";
constexpr const char* kPaths[] = {"/org/freedesktop/ScreenSaver", "/ScreenSaver"};

constexpr const char* kInterface = R"(<node>
  <interface name="org.freedesktop.ScreenSaver">
    <method name="Inhibit">
      <arg name="application_name" type="s" direction="in"/>
      <arg name="reason_for_inhibit" type="s" direction="in"/>
      <arg name="cookie" type="u" direction="out"/>
    </method>
    <method name="UnInhibit">
      <arg name="cookie" type="u" direction="in"/>
    </method>
    <method name="SimulateUserActivity"/>
    <method name="GetActive">
      <arg name="active" type="b" direction="out"/>
    </method>
  </interface>
</node>)";

}  // namespace

ScreenSaverService::ScreenSaverService(Events events)
    : events_(std::move(events)),
      introspection_(g_dbus_node_info_new_for_xml(kInterface, nullptr)) {
    owner_id_ = g_bus_own_name(G_BUS_TYPE_SESSION, kName, G_BUS_NAME_OWNER_FLAGS_NONE,
                               OnBusAcquired, nullptr, nullptr, this, nullptr);
}

ScreenSaverService::~ScreenSaverService() {
    if (connection_ != nullptr) {
        for (guint object : objects_) {
            if (object != 0) {
                g_dbus_connection_unregister_object(connection_, object);
            }
        }
        g_dbus_connection_signal_unsubscribe(connection_, name_watch_);
        g_object_unref(connection_);
    }
    g_bus_unown_name(owner_id_);
    g_dbus_node_info_unref(introspection_);
}

void ScreenSaverService::OnBusAcquired(GDBusConnection* connection, const gchar*, gpointer self) {
    auto* service = static_cast<ScreenSaverService*>(self);
    service->connection_ = G_DBUS_CONNECTION(g_object_ref(connection));
    static const GDBusInterfaceVTable vtable = {OnMethodCall, nullptr, nullptr, {}};
    for (size_t i = 0; i < 2; ++i) {
        service->objects_[i] = g_dbus_connection_register_object(
            connection, kPaths[i], service->introspection_->interfaces[0], &vtable, service,
            nullptr, nullptr);
    }
    // A program that leaves the bus takes its inhibits with it.
    service->name_watch_ = g_dbus_connection_signal_subscribe(
        connection, "org.freedesktop.DBus", "org.freedesktop.DBus", "NameOwnerChanged",
        "/org/freedesktop/DBus", nullptr, G_DBUS_SIGNAL_FLAGS_NONE, OnNameOwnerChanged, service,
        nullptr);
}

void ScreenSaverService::OnMethodCall(GDBusConnection*, const gchar* sender, const gchar*,
                                      const gchar*, const gchar* method, GVariant* parameters,
                                      GDBusMethodInvocation* invocation, gpointer self) {
    auto* service = static_cast<ScreenSaverService*>(self);
    const std::string name = method;
    const std::string caller = sender != nullptr ? sender : "";
    if (name == "Inhibit") {
        const std::optional<uint32_t> cookie = service->inhibits_.Add(caller);
        if (!cookie) {
            g_dbus_method_invocation_return_dbus_error(invocation,
                                                       "org.freedesktop.DBus.Error.LimitsExceeded",
                                                       "this program holds too many inhibits");
            return;
        }
        g_dbus_method_invocation_return_value(invocation, g_variant_new("(u)", *cookie));
        service->events_.inhibits_changed();
    } else if (name == "UnInhibit") {
        guint32 cookie = 0;
        g_variant_get(parameters, "(u)", &cookie);
        if (!service->inhibits_.Remove(cookie, caller)) {
            g_dbus_method_invocation_return_dbus_error(
                invocation, "org.freedesktop.DBus.Error.InvalidArgs",
                "this program holds no inhibit with this cookie");
            return;
        }
        g_dbus_method_invocation_return_value(invocation, nullptr);
        service->events_.inhibits_changed();
    } else if (name == "SimulateUserActivity") {
        g_dbus_method_invocation_return_value(invocation, nullptr);
        service->events_.activity();
    } else {
        g_dbus_method_invocation_return_value(
            invocation, g_variant_new("(b)", service->events_.saver_active()));
    }
}

void ScreenSaverService::OnNameOwnerChanged(GDBusConnection*, const gchar*, const gchar*,
                                            const gchar*, const gchar*, GVariant* parameters,
                                            gpointer self) {
    auto* service = static_cast<ScreenSaverService*>(self);
    const gchar* name = nullptr;
    const gchar* old_owner = nullptr;
    const gchar* new_owner = nullptr;
    g_variant_get(parameters, "(&s&s&s)", &name, &old_owner, &new_owner);
    if (new_owner[0] == '\0' && !service->inhibits_.Empty()) {
        service->inhibits_.RemoveSender(name);
        service->events_.inhibits_changed();
    }
}

}  // namespace saver
