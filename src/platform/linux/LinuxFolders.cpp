#include "platform/linux/LinuxFolders.h"

#include <unistd.h>

#include <climits>

#include "platform/linux/PrivateFolder.h"
#include "platform/linux/UserAccount.h"

namespace saver {

namespace {

std::string OwnExecutable() {
    char path[PATH_MAX];
    ssize_t length = readlink("/proc/self/exe", path, sizeof path);
    return length > 0 ? std::string(path, static_cast<size_t>(length)) : std::string();
}

}  // namespace

LinuxFolders::LinuxFolders(std::string system_folder)
    : private_folder_(FindPrivateFolder()),
      disk_folder_(FindDiskFolder(private_folder_)),
      system_folder_(std::move(system_folder)),
      executable_path_(OwnExecutable()),
      cache_folder_(XdgCacheHome()) {
    if (!cache_folder_.empty()) {
        cache_folder_ += '/';
    }
    if (system_folder_.empty() || system_folder_.back() != '/') {
        system_folder_ += '/';
    }
}

}  // namespace saver
