#pragma once

#include "platform/Registry.h"
#include "platform/Shell.h"
#include "startup/SaverFolders.h"

#include <string>

namespace saver {

// The saver's name: the text's file name without its folder, cut before the first
// occurrence of its extension ("Ocean.scr" gives "Ocean").
std::string SaverNameOf(const std::string& path);

// Fills saver_name, sample_folder and, when no package is present, settings_file.
// A file name with "~" (a short alias) takes its name from the shell's display name.
void ResolvePaths(SaverFolders& folders, bool package_present, const Registry& registry,
                  const Shell& shell);

}  // namespace saver
