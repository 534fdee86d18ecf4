#include "MutterDesktop.h"

#include <stdexcept>
#include <string>

#include "GnomeSessionInhibit.h"

namespace saver {
namespace {

constexpr const char* kName = "org.gnome.Mutter.IdleMonitor";
constexpr const char* kPath = "/org/gnome/Mutter/IdleMonitor/Core";
constexpr int kCallTimeoutMs = 2000;

}  // namespace

MutterDesktop::MutterDesktop(std::function<void()> lost) : lost_(std::move(lost)) {
    GError* error = nullptr;
    bus_ = g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, &error);
    int64_t idle_ms = 0;
    if (bus_ == nullptr || !AskIdleTime(idle_ms, &error)) {
        const std::string reason = error != nullptr ? error->message : "no session bus";
        g_clear_error(&error);
        if (bus_ != nullptr) {
            g_object_unref(bus_);
        }
        throw std::runtime_error(
            "the Wayland compositor offers no idle protocol (ext-idle-notify-v1, "
            "org_kde_kwin_idle) and GNOME's idle monitor does not answer: " +
            reason);
    }
    name_watch_ = g_bus_watch_name_on_connection(
        bus_, kName, G_BUS_NAME_WATCHER_FLAGS_NONE, nullptr,
        [](GDBusConnection*, const gchar*, gpointer self) {
            auto* desktop = static_cast<MutterDesktop*>(self);
            if (desktop->lost_) {
                desktop->lost_();
            }
        },
        this, nullptr);
}

MutterDesktop::~MutterDesktop() {
    g_bus_unwatch_name(name_watch_);
    g_object_unref(bus_);
}

bool MutterDesktop::AskIdleTime(int64_t& idle_ms, GError** error) const {
    GVariant* reply = g_dbus_connection_call_sync(
        bus_, kName, kPath, kName, "GetIdletime", nullptr, G_VARIANT_TYPE("(t)"),
        G_DBUS_CALL_FLAGS_NO_AUTO_START, kCallTimeoutMs, nullptr, error);
    if (reply == nullptr) {
        return false;
    }
    guint64 idle = 0;
    g_variant_get(reply, "(t)", &idle);
    g_variant_unref(reply);
    idle_ms = static_cast<int64_t>(idle);
    return true;
}

std::string MutterDesktop::Description() const {
    return std::string("GNOME's idle monitor (") + kName + ")";
}

int64_t MutterDesktop::InputIdleMs() const {
    int64_t idle_ms = 0;
    return AskIdleTime(idle_ms, nullptr) ? idle_ms : 0;
}

bool MutterDesktop::Inhibited() const {
    return GnomeSessionIdleInhibited(bus_);
}

}  // namespace saver
