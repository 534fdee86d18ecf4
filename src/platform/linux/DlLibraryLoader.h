#pragma once

#include <memory>
#include <string>

#include "platform/LibraryLoader.h"

namespace saver {

// Loads shared libraries with dlopen(RTLD_NOW | RTLD_LOCAL), from an absolute path only:
// a bare name or a relative path is refused (nullptr) because dlopen would look it up on
// the library search path or from the current folder.
class DlLibraryLoader : public LibraryLoader {
  public:
    std::unique_ptr<LoadedLibrary> Load(const std::string& path) override;
};

}  // namespace saver
