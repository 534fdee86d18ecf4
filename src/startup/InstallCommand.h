#pragma once

#include "platform/Shell.h"
#include "startup/CommandLine.h"
#include "startup/SaverFolders.h"

namespace saver {

// Carries out the installer's command ("path", folder, file [, "true"]): records the
// folder in the install log "log.ini" of the application data folder, copies
// folder+file into the application data folder and, with "true", has the desktop select
// this saver. Returns false, doing nothing, for any other command line.
bool HandleInstallCommand(const Arguments& arguments, const SaverFolders& folders, Shell& shell);

// The program in the system folder that makes the desktop use a saver file.
inline constexpr const char* kSelectScreenSaverProgram = "install-screensaver";

}  // namespace saver
