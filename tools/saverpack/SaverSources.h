#pragma once

#include "settings/IniFile.h"

#include <string>
#include <vector>

namespace saver {

struct PackageItemSource {
    std::string path;
    bool not_zip = false;  // carry the file as it is, not inside a ZIP archive
    std::string name{};    // the item's name in the saver; empty: the file's own name
};

// The name the MPEG audio library travels under in a saver.
inline constexpr const char* kMpegLibraryItem = "MPEGDLL.DLL";

// The item's name in the saver, as sections "zippos" and "notzip" key it.
std::string PackageItemName(const PackageItemSource& item);

// A file of the content folder and the plain name it has in the package.
struct ContentFile {
    std::string name;
    std::string path;
};

// What a saver is made of: the settings file, the files that go into the package and the
// package items.
struct SaverSources {
    std::string settings_path;
    IniFile settings;
    std::vector<ContentFile> content;  // sorted by path; the package items left out
    std::vector<PackageItemSource> items;
};

// Reads the settings file and lists the content folder (`content_folder` may be empty).
// A file given as a package item is left out of the content, wherever it lies. Throws
// std::runtime_error naming what cannot be read and why, or two content files of one
// name (the package keeps no folders).
SaverSources GatherSources(const std::string& settings_path, const std::string& content_folder,
                           const std::vector<PackageItemSource>& items);

// The message for a file operation that failed with `error` (an errno value), such as
// "cannot read the host program /x/y: No such file or directory".
std::string FileError(const std::string& what, const std::string& path, int error);

}  // namespace saver
