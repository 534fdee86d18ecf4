#include "platform/linux/DlLibraryLoader.h"

#include <dlfcn.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/linux/DlLoadedLibrary.h"

namespace saver {

namespace {

// Owned by the user or by root, and writable by no one else.
bool OnlyOwnerWrites(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && (info.st_uid == ::geteuid() || info.st_uid == 0) &&
           (info.st_mode & (S_IWGRP | S_IWOTH)) == 0;
}

}  // namespace

std::unique_ptr<LoadedLibrary> DlLibraryLoader::Load(const std::string& path) {
    if (path.empty() || path.front() != '/') {
        return nullptr;
    }
    // Code is never taken from a file that another user could have put or changed there.
    const std::string folder = path.substr(0, path.find_last_of('/') + 1);
    if (!OnlyOwnerWrites(path) || !OnlyOwnerWrites(folder)) {
        return nullptr;
    }
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    return handle ? std::make_unique<DlLoadedLibrary>(handle) : nullptr;
}

}  // namespace saver
