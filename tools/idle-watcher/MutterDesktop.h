#pragma once

#include <gio/gio.h>

#include <functional>

#include "IdleDesktop.h"

namespace saver {

// GNOME's compositor, mutter, asked over the session bus: its idle monitor
// (org.gnome.Mutter.IdleMonitor, GetIdletime of the object for all devices) counts the
// milliseconds since the user's last input, much as the X server does. GNOME's programs
// hold the idle off through its session manager, which counts too.
class MutterDesktop : public IdleDesktop {
  public:
    // Throws std::runtime_error when the session bus or mutter's idle monitor does not
    // answer. `lost` is called when the idle monitor leaves the bus (mutter ended).
    explicit MutterDesktop(std::function<void()> lost);
    ~MutterDesktop() override;
    MutterDesktop(const MutterDesktop&) = delete;
    MutterDesktop& operator=(const MutterDesktop&) = delete;

    std::string Description() const override;
    // 0 when the monitor does not answer: better late than a saver started by mistake.
    int64_t InputIdleMs() const override;
    bool Inhibited() const override;

  private:
    // GetIdletime; false when the call failed.
    bool AskIdleTime(int64_t& idle_ms, GError** error) const;

    std::function<void()> lost_;
    GDBusConnection* bus_ = nullptr;
    guint name_watch_ = 0;
};

}  // namespace saver
