#pragma once

#include <cstdint>
#include <string>

namespace saver {

// Where an unpacked file is written. The working folder lies in the user's runtime
// folder, usually a small file system held in memory: a file of more than
// kLargeFileBytes meant for it is written into the disk folder instead, under the same
// name, and reached through a symbolic link in the working folder. Files meant for any
// other folder are written where they belong.
struct LargeFilePlacement {
    std::string working_folder;
    std::string disk_folder;  // empty: every file is written where it belongs

    // The path to write a file of `size` bytes meant for `path` to. For a large file the
    // link at `path` is made here; when it cannot be made the file goes to `path`.
    std::string Place(const std::string& path, uint64_t size) const;
};

inline constexpr uint64_t kLargeFileBytes = 4u << 20;

}  // namespace saver
