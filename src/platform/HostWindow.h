#pragma once

#include <cstdint>

namespace saver {

// The window of another program that hosts the show, as xscreensaver hosts its display
// modes. A hosted show fills that one window: no window of its own on the desktop, no
// further monitors covered, no grabs, no input of its own (the host takes the input and
// ends the show), and the desktop's screen-saver switches are left to the host.
struct HostWindow {
    bool hosted = false;
    // The X window id to draw in; 0 stands for the root window.
    uint64_t window = 0;
};

}  // namespace saver
