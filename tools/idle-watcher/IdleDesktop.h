#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace saver {

// The desktop as the idle watcher reads it: how long the user has been idle, and what
// of the desktop's own keeps the screen saver off. XDesktop reads an X server,
// WaylandDesktop a Wayland compositor's idle protocol, MutterDesktop GNOME's idle monitor.
class IdleDesktop {
  public:
    virtual ~IdleDesktop() = default;

    // What is watched, and how, for the watcher's first line ("the X display :0
    // (MIT-SCREEN-SAVER)").
    virtual std::string Description() const = 0;
    // Milliseconds since the user's last input. A desktop that tells only once the
    // watcher's timeout has passed reports 0 before that, and calls the change handler
    // when it tells.
    virtual int64_t InputIdleMs() const = 0;
    // True while the desktop keeps the screen saver off (a full-screen window, an
    // inhibit of the session).
    virtual bool Inhibited() const = 0;
    // `changed` is called when the desktop tells of a change of the idle state by itself;
    // desktops that are only asked never call it.
    virtual void OnChange(std::function<void()> changed) { (void)changed; }
};

// The desktop of this session, for a watcher whose timeout is `timeout_ms`: the Wayland
// compositor of $WAYLAND_DISPLAY when that is set (an X display beside it is then only
// Xwayland, whose idle time does not see the input of native Wayland clients), else the X
// display of $DISPLAY. `lost` is called when the desktop goes away (its compositor ended).
// Throws std::runtime_error when there is no desktop to watch.
std::unique_ptr<IdleDesktop> OpenIdleDesktop(int64_t timeout_ms, std::function<void()> lost);

}  // namespace saver
