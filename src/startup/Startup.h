#pragma once

#include "platform/Platform.h"
#include "startup/CommandLine.h"
#include "startup/MainWindows.h"

namespace saver {

// The name of the lock that keeps a second saver of this kind from running.
inline constexpr const char* kInstanceLockName = "quillmontscreensaverweb";

// The whole life of the process after its folders exist: the install command, the
// single-instance lock, the command line, the package, settings and content lists, and
// the run mode's main window (or the password change). The process that gets the lock
// empties the working folder first and however it ends (ClearWorkingFolderAtExit); the
// install command and a process turned away leave it alone. Returns the process's exit
// status.
int RunSaver(const Arguments& arguments, Platform& platform, MainWindows& windows);

}  // namespace saver
