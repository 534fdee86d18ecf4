#pragma once

#include <string>
#include <vector>

namespace saver {

// One file to put into a ZIP archive: its name inside the archive and its bytes.
struct ZipEntry {
    std::string name;
    std::string bytes;
    bool read_only = false;  // recorded in the entry, so the unpacked file is read-only too
};

// Builds a ZIP archive (deflated entries) in memory. Throws std::runtime_error with
// what failed.
std::string MakeZipArchive(const std::vector<ZipEntry>& entries);

}  // namespace saver
