#include "startup/LargeFilePlacement.h"

#include "base/Files.h"

#include <unistd.h>

namespace saver {

std::string LargeFilePlacement::Place(const std::string& path, uint64_t size) const {
    if (disk_folder.empty() || size <= kLargeFileBytes || FolderPart(path) != working_folder) {
        return path;
    }
    const std::string target = disk_folder + FileNamePart(path);
    ForceDirectories(disk_folder);
    // Whatever has the name now (an older copy, a link) gives way to the link.
    ::unlink(path.c_str());
    if (::symlink(target.c_str(), path.c_str()) != 0) {
        return path;
    }
    return target;
}

}  // namespace saver
