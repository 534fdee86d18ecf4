#pragma once

#include "startup/StartupState.h"

#include <string>
#include <vector>

namespace saver {

// Arguments as the system split them, without the program's own name.
using Arguments = std::vector<std::string>;

// The run mode and window handle the command line asks for. The first character of
// argument 1 is dropped whatever it is; the next one, upper-cased, is the switch letter.
// `previous_foreground_window` is left to the caller (it is only read in show mode).
StartupState ParseCommandLine(const Arguments& arguments);

// The window xscreensaver hands the saver when it runs it as a display mode, which it
// does with "--root" or "--window-id ID" (one dash is as good as two). The window is ID
// when it is a number (decimal, or hexadecimal after "0x"), else `xscreensaver_window`
// (the XSCREENSAVER_WINDOW variable; null when unset) when that is one, else the root
// window. Not hosted for any other command line.
HostWindow ReadHostWindow(const Arguments& arguments, const char* xscreensaver_window);

// True when the arguments are the installer's command: "path", a folder, a file name
// and optionally "true" (letter case matters).
bool IsInstallCommand(const Arguments& arguments);

}  // namespace saver
