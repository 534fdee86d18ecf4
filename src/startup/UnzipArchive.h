#pragma once

#include <string>

#include <string_view>
#include "startup/LargeFilePlacement.h"

namespace saver {

// Extracts every entry of a ZIP file into `target_folder`, dropping the folder names
// stored in the archive (all files land directly in the target folder), replacing files
// of the same name and keeping each entry's read-only attribute. Entry names that would
// leave the folder ("..", empty names) are skipped. With a `placement`, large entries go
// where it says. Returns false when the archive could not be read at all; a damaged
// entry is skipped and the rest are still extracted.
bool UnzipArchive(const std::string& archive_path, const std::string& target_folder,
                  const LargeFilePlacement* placement = nullptr);

// The same for an archive held in memory.
bool UnzipArchiveBytes(std::string_view bytes, const std::string& target_folder,
                       const LargeFilePlacement* placement = nullptr);

}  // namespace saver
