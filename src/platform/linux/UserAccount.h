#pragma once

#include <string>

namespace saver {

// Facts about the user running the process, from the environment and the passwd entry.
// Folders come without a final "/"; an empty string means that none could be found.

// $HOME when it is an absolute path, else the home folder of the passwd entry.
std::string HomeFolder();
// $XDG_CONFIG_HOME when it is an absolute path, else HomeFolder() + "/.config".
std::string XdgConfigHome();
// $XDG_DATA_HOME when it is an absolute path, else HomeFolder() + "/.local/share".
std::string XdgDataHome();
// $XDG_CACHE_HOME when it is an absolute path, else HomeFolder() + "/.cache".
std::string XdgCacheHome();
// The full name: the first comma-separated field of the passwd GECOS field, with "&"
// standing for the capitalised login name as finger(1) reads it. Empty when none.
std::string UserFullName();

}  // namespace saver
