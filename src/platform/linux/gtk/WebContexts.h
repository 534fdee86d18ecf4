#pragma once

#include <webkit2/webkit2.h>

#include <string>
#include <vector>

#include "platform/Browser.h"

namespace saver {

// The web engine contexts of the process. Each runs its web processes in the engine's
// sandbox (bubblewrap): a page that takes over its web process reads only the system's
// files and the folders given to SetWebSandboxFolders, and writes none. Every view of
// a context must be made through it; every context is made, with its sandbox set up,
// before its first web process starts.
WebKitWebContext* WebContextFor(WebStorage storage);

// Folders of the saver's own (the working folder, the folder of large unpacked files),
// readable in the sandbox. Must come before the first context is made; folders that do
// not exist, and those the engine refuses (the home folder itself, "/", "/home",
// "/proc", "/sys", "/dev", a folder holding the runtime folder), are left out.
void SetWebSandboxFolders(std::vector<std::string> folders);

}  // namespace saver
