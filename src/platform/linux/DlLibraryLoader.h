#pragma once

#include <memory>
#include <string>

#include "platform/LibraryLoader.h"

namespace saver {

// Loads shared libraries with dlopen(RTLD_NOW | RTLD_LOCAL), from an absolute path only:
// a bare name or a relative path is refused (nullptr) because dlopen would look it up on
// the library search path or from the current folder. A file, or a folder holding it,
// that is owned by another user (root aside) or writable by group or others is refused
// too (IsTrustedCodeFile): a library is code, and only the user and the system may
// place it.
class DlLibraryLoader : public LibraryLoader {
  public:
    std::unique_ptr<LoadedLibrary> Load(const std::string& path) override;
};

}  // namespace saver
