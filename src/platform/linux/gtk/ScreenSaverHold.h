#pragma once

namespace saver {

// Keeps the desktop's own screen saver, and what it starts when the user is idle, off
// while held: the display server's side of the show's screen-saver switch.
class ScreenSaverHold {
  public:
    virtual ~ScreenSaverHold() = default;
    // Holds off the desktop's saver, or lets it go again. Calls alternate.
    virtual void Hold(bool held) = 0;
};

}  // namespace saver
