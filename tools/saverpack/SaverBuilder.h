#pragma once

#include "SaverSources.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace saver {

struct BuildRequest {
    std::string host;                      // the saver host program
    std::string settings;                  // the saver settings INI file
    std::string content_folder;            // files to put into the package (may be empty)
    std::vector<PackageItemSource> items;  // left out of the package where they lie in it
    std::string output;
};

// Reports progress: the item's name and the share done, 0 to 100.
using ProgressReport = std::function<void(const std::string& item, int percent)>;

// Items at least this large report progress while they are copied.
inline constexpr uint64_t kProgressItemSize = 10u * 1000u * 1000u;

// Writes the saver file: the host, each package item (with its "zippos" and "notzip"
// entries added to the settings), the marker, the package name, "**" and the package
// archive holding the settings file and the content. The settings file travels in the
// encoding it was written in. The host must carry the host program's mark. Throws
// std::runtime_error saying what is wrong and why; the output file is then not written.
void BuildSaver(const BuildRequest& request, const ProgressReport& progress);

}  // namespace saver
