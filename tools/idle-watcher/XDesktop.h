#pragma once

#include <X11/Xlib.h>

#include <cstdint>

#include "IdleDesktop.h"

namespace saver {

// The X server as the idle watcher reads it, over a connection of its own.
class XDesktop : public IdleDesktop {
  public:
    // Opens the display of $DISPLAY; throws std::runtime_error when it cannot, or when
    // the server lacks the MIT-SCREEN-SAVER extension.
    XDesktop();
    ~XDesktop() override;
    XDesktop(const XDesktop&) = delete;
    XDesktop& operator=(const XDesktop&) = delete;

    std::string Description() const override;
    // Milliseconds since the user's last input.
    int64_t InputIdleMs() const override;
    // A full-screen window has the focus, or the server's own screen saver is suspended.
    bool Inhibited() const override { return FullScreenWindowActive() || ScreenSaverSuspended(); }
    // True when the window that has the focus covers a whole monitor (the one its
    // middle is on), or says it is full-screen.
    bool FullScreenWindowActive() const;
    // True when a program has suspended the X server's own screen saver
    // (XScreenSaverSuspend, as video players do). The server tells no other client so;
    // it shows once the idle time has reached the server's screen-saver timeout, when the
    // server's saver should be on and is not. With that timeout off, or longer than the
    // idle time, a suspension cannot be seen and this is false.
    bool ScreenSaverSuspended() const;

  private:
    Window ActiveWindow() const;

    Display* display_;
};

}  // namespace saver
