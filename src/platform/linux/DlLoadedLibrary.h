#pragma once

#include <string>

#include "platform/LibraryLoader.h"

namespace saver {

// A library opened by dlopen, closed with dlclose when the object is destroyed.
//
// Symbol gives only symbols defined in the library itself: dlsym on a handle also finds
// the symbols of the libraries it depends on (the C library's, for one), which are not
// the library's exports.
class DlLoadedLibrary : public LoadedLibrary {
  public:
    // Takes over a handle that dlopen returned.
    explicit DlLoadedLibrary(void* handle);
    ~DlLoadedLibrary() override;
    DlLoadedLibrary(const DlLoadedLibrary&) = delete;
    DlLoadedLibrary& operator=(const DlLoadedLibrary&) = delete;

    void* Symbol(const std::string& name) const override;

  private:
    void* handle_;
};

}  // namespace saver
