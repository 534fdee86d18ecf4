#pragma once

#include <gio/gio.h>

#include <functional>

#include "InhibitList.h"

namespace saver {

// The org.freedesktop.ScreenSaver service on the session bus, which video players and
// browsers call to keep the screen saver off: Inhibit(application, reason) gives a
// cookie that UnInhibit(cookie) takes back; SimulateUserActivity counts as input;
// GetActive tells whether the saver runs. The name is asked for when the object is made
// and owned once no other program owns it; without a session bus the watcher goes on
// without the service. Objects at /org/freedesktop/ScreenSaver and /ScreenSaver, as
// programs use either.
class ScreenSaverService {
  public:
    struct Events {
        // The inhibits changed, or a program reported activity.
        std::function<void()> inhibits_changed;
        std::function<void()> activity;
        std::function<bool()> saver_active;
    };

    explicit ScreenSaverService(Events events);
    ~ScreenSaverService();
    ScreenSaverService(const ScreenSaverService&) = delete;
    ScreenSaverService& operator=(const ScreenSaverService&) = delete;

    bool Inhibited() const { return !inhibits_.Empty(); }

  private:
    static void OnBusAcquired(GDBusConnection* connection, const gchar*, gpointer self);
    static void OnMethodCall(GDBusConnection*, const gchar* sender, const gchar*, const gchar*,
                             const gchar* method, GVariant* parameters,
                             GDBusMethodInvocation* invocation, gpointer self);
    static void OnNameOwnerChanged(GDBusConnection*, const gchar*, const gchar*, const gchar*,
                                   const gchar*, GVariant* parameters, gpointer self);

    Events events_;
    InhibitList inhibits_;
    GDBusNodeInfo* introspection_;
    guint owner_id_ = 0;
    GDBusConnection* connection_ = nullptr;
    guint objects_[2] = {0, 0};
    guint name_watch_ = 0;
};

}  // namespace saver
