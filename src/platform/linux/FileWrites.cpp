#include "platform/linux/FileWrites.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace saver {

namespace {

std::string FolderOf(const std::string& path) {
    size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

bool WriteAll(int fd, const std::string& content) {
    size_t written = 0;
    while (written < content.size()) {
        ssize_t result = write(fd, content.data() + written, content.size() - written);
        if (result < 0 && errno == EINTR) {
            continue;
        }
        if (result <= 0) {
            return false;
        }
        written += static_cast<size_t>(result);
    }
    return true;
}

void SyncFolder(const std::string& folder) {
    int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        fsync(fd);
        close(fd);
    }
}

}  // namespace

bool CreatePrivateFolderPath(const std::string& folder) {
    for (size_t slash = folder.find('/', 1); slash != std::string::npos;
         slash = folder.find('/', slash + 1)) {
        mkdir(folder.substr(0, slash).c_str(), 0700);
    }
    mkdir(folder.c_str(), 0700);
    struct stat info {};
    return stat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool WriteFileAtomically(const std::string& path, const std::string& content) {
    std::string folder = FolderOf(path);
    std::string temporary = path + ".tmp-XXXXXX";
    int fd = mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    bool written = WriteAll(fd, content) && fsync(fd) == 0;
    written = close(fd) == 0 && written;
    if (!written || rename(temporary.c_str(), path.c_str()) != 0) {
        unlink(temporary.c_str());
        return false;
    }
    // The new content is in place; a failed flush of the folder only risks the rename
    // being lost in a crash, which leaves the old file, so it does not fail the write.
    SyncFolder(folder);
    return true;
}

}  // namespace saver
