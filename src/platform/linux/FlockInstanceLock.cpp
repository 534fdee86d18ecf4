#include "platform/linux/FlockInstanceLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>

namespace saver {

FlockInstanceLock::FlockInstanceLock(std::string folder) : folder_(std::move(folder)) {}

bool FlockInstanceLock::TryAcquire(const std::string& name) {
    if (held_.count(name) != 0) {
        return true;
    }
    std::string file_name = name;
    for (char& c : file_name) {
        c = c == '/' || c == '\0' ? '_' : c;
    }
    std::string path = folder_ + file_name + ".lock";
    int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0) {
        return true;
    }
    int result;
    while ((result = flock(fd, LOCK_EX | LOCK_NB)) != 0 && errno == EINTR) {
    }
    if (result != 0) {
        bool held_elsewhere = errno == EWOULDBLOCK;
        close(fd);
        return !held_elsewhere;
    }
    // The descriptor is deliberately never closed: it holds the lock until the process ends.
    held_.insert(name);
    return true;
}

}  // namespace saver
