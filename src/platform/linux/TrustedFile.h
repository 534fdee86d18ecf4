#pragma once

#include <string>

namespace saver {

// True when code may be taken from the file at `path` (a full path): the file and the
// folder holding it are owned by the user or by root and writable by no one else, and
// so is the file a symbolic link leads to, with its folder. A folder everyone may write
// is refused with or without its sticky bit: there another user could have put the file.
bool IsTrustedCodeFile(const std::string& path);

}  // namespace saver
