#pragma once

#include <memory>
#include <string>

namespace saver {

// A loaded shared library. Unloaded when the object is destroyed.
class LoadedLibrary {
  public:
    virtual ~LoadedLibrary() = default;

    // The address of an exported symbol, or nullptr when the library has none.
    virtual void* Symbol(const std::string& name) const = 0;
};

// Loads shared libraries from an exact path only, never through the search path, so a
// library placed anywhere else cannot be picked up instead.
class LibraryLoader {
  public:
    virtual ~LibraryLoader() = default;

    // nullptr when the file is missing or is not a loadable library.
    virtual std::unique_ptr<LoadedLibrary> Load(const std::string& path) = 0;
};

}  // namespace saver
