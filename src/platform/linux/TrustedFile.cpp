#include "platform/linux/TrustedFile.h"

#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>

namespace saver {

namespace {

// Owned by the user or by root, and writable by no one else.
bool OnlyOwnerWrites(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && (info.st_uid == ::geteuid() || info.st_uid == 0) &&
           (info.st_mode & (S_IWGRP | S_IWOTH)) == 0;
}

bool FileAndFolderOnlyOwnerWrites(const std::string& path) {
    const std::string folder = path.substr(0, path.find_last_of('/') + 1);
    return OnlyOwnerWrites(path) && OnlyOwnerWrites(folder);
}

}  // namespace

bool IsTrustedCodeFile(const std::string& path) {
    if (path.empty() || path.front() != '/' || !FileAndFolderOnlyOwnerWrites(path)) {
        return false;
    }
    char real[PATH_MAX];
    return ::realpath(path.c_str(), real) != nullptr &&
           (path == real || FileAndFolderOnlyOwnerWrites(real));
}

}  // namespace saver
