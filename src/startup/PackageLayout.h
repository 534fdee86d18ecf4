#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace saver {

// The layout of a saver file's tail: the package marker, the package name (the settings
// file's name inside the archive), "**" and the ZIP archive, all within the last
// kPackageTailSize bytes of the file.
inline constexpr size_t kPackageTailSize = 150000;
inline constexpr std::string_view kPackageSeparator = "**";

// The marker. It is assembled at run time so that the program's own bytes never hold
// it: a saver host without a package must not find a marker in itself.
std::string PackageMarker();

// The text every saver host program carries (stored in its main file), so that the
// authoring tool can tell a host from other programs. Assembled at run time like the
// marker, so that the programs which look for it do not carry it themselves.
std::string HostMark();

struct PackageHeader {
    bool found = false;         // the marker is in the tail
    bool valid = false;         // ...followed by a usable name and "**"
    std::string name;           // the package name, reduced to a plain file name
    size_t archive_offset = 0;  // where the archive starts in the tail
};

// Finds the first marker in `tail` and reads the header behind it.
PackageHeader ReadPackageHeader(std::string_view tail);

}  // namespace saver
