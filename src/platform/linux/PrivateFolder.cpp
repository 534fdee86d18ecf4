#include "platform/linux/PrivateFolder.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

#include "platform/linux/UserAccount.h"

namespace saver {

namespace {

// Tests the folder entry itself, never a symbolic link in its place: it must be a folder
// that belongs to the user alone.
bool IsOwnFolder(const std::string& path) {
    int fd = open(path.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    struct stat info {};
    bool own = fstat(fd, &info) == 0 && info.st_uid == geteuid() && (info.st_mode & 077) == 0;
    close(fd);
    return own;
}

std::string WithSlash(std::string path) {
    return path.back() == '/' ? path : path + '/';
}

std::string TemporaryBase() {
    const char* tmpdir = std::getenv("TMPDIR");
    return tmpdir != nullptr && tmpdir[0] == '/' ? tmpdir : "/tmp";
}

// Makes `path` with mode 0700 whatever the umask, or accepts it when it is already the
// user's own private folder.
bool MakeOwnFolder(const std::string& path) {
    if (mkdir(path.c_str(), 0700) == 0) {
        // The umask may have taken the owner's own bits away.
        int fd = open(path.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        if (fd >= 0) {
            fchmod(fd, 0700);
            close(fd);
        }
    } else if (errno != EEXIST) {
        return false;
    }
    return IsOwnFolder(path);
}

}  // namespace

std::string FindDiskFolder(const std::string& fallback) {
    const std::string cache_home = XdgCacheHome();
    if (!cache_home.empty()) {
        const std::string cache = WithSlash(cache_home);
        // The cache folder itself is made private when it is missing, as its rules ask.
        mkdir(cache.c_str(), 0700);
        if (MakeOwnFolder(cache + "saverhost")) {
            return cache + "saverhost/";
        }
    }
    const std::string shared = "/var/tmp/saverhost-" + std::to_string(geteuid());
    return MakeOwnFolder(shared) ? shared + "/" : fallback;
}

std::string FindPrivateFolder() {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime != nullptr && runtime[0] == '/' && IsOwnFolder(runtime)) {
        return WithSlash(runtime);
    }
    std::string base = WithSlash(TemporaryBase()) + "saverhost-" + std::to_string(geteuid());
    if (MakeOwnFolder(base)) {
        return base + '/';
    }
    std::string fresh = base + "-XXXXXX";
    if (mkdtemp(fresh.data()) != nullptr) {
        return fresh + '/';
    }
    int error = errno;
    throw std::runtime_error("no private temporary folder can be made under " + TemporaryBase() +
                             ": " + std::strerror(error));
}

}  // namespace saver
