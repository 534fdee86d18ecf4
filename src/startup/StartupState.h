#pragma once

#include <cstdint>

#include "platform/HostWindow.h"

namespace saver {

// Run modes chosen from the command line.
enum RunMode : int32_t {
    rmSettings = 1,        // no argument, or "/a" or "/p" without a handle
    rmSettingsSwitch = 2,  // "/c"
    rmShow = 3,            // "/s" or any other switch letter
    rmPreview = 4,         // "/p" with a handle
    rmPassword = 5,        // "/a" with a handle
};

// Process-wide start-up state: written once during start-up, only read afterwards.
struct StartupState {
    int32_t run_mode = rmSettings;
    int32_t window_handle = 0;
    // The window that had the focus when show mode started (an X window id, 0 for none).
    uint64_t previous_foreground_window = 0;
    bool package_present = false;
    bool executable_form = false;
    // Set when xscreensaver started the saver as one of its display modes.
    HostWindow host;
};

}  // namespace saver
