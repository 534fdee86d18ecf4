#pragma once

#include "platform/Folders.h"
#include "platform/Registry.h"

#include <string>

namespace saver {

// Runs the package, settings and content-list steps of start-up on `saver_path` as if it
// were the running program, in a private scratch working folder that is removed again,
// so a saver that is running keeps its own working folder. Only the settings file is
// unpacked there; the package's entries are listed from its directory and the package
// items are not copied out. Returns the report as JSON
// (`json`) or as text for a person.
std::string InspectSaver(const std::string& saver_path, const Folders& system_folders,
                         Registry& registry, bool json);

}  // namespace saver
