#include "platform/linux/FileRegistry.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>

#include "base/Files.h"
#include "platform/linux/AnsweredValues.h"
#include "platform/linux/RegistryText.h"
#include "platform/linux/UserAccount.h"

namespace saver {

namespace {

constexpr size_t kMaxFileSize = 16 * 1024 * 1024;

std::string FolderOf(const std::string& path) {
    size_t slash = path.rfind('/');
    return slash == std::string::npos ? "." : path.substr(0, slash == 0 ? 1 : slash);
}

// The whole file, or nullopt when it cannot be read or is larger than the limit.
std::optional<std::string> ReadAll(int fd) {
    std::string content;
    char buffer[65536];
    for (;;) {
        ssize_t result = read(fd, buffer, sizeof buffer);
        if (result < 0 && errno == EINTR) {
            continue;
        }
        if (result < 0 || content.size() + static_cast<size_t>(result) > kMaxFileSize) {
            return std::nullopt;
        }
        if (result == 0) {
            return content;
        }
        content.append(buffer, static_cast<size_t>(result));
    }
}

long long Nanoseconds(const timespec& time) {
    return static_cast<long long>(time.tv_sec) * 1000000000LL + time.tv_nsec;
}

std::string UtcTime() {
    time_t now = time(nullptr);
    tm parts{};
    gmtime_r(&now, &parts);
    char text[32];
    strftime(text, sizeof text, "%Y%m%dT%H%M%SZ", &parts);
    return text;
}

int LockFolder(const std::string& folder) {
    int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    while (fd >= 0 && flock(fd, LOCK_EX) != 0 && errno == EINTR) {
    }
    return fd;
}

std::string DefaultUserFile() {
    std::string config = XdgConfigHome();
    return config.empty() ? "" : config + "/saverhost/user.reg";
}

}  // namespace

FileRegistry::FileRegistry() : FileRegistry(DefaultUserFile()) {}

FileRegistry::FileRegistry(std::string path)
    : path_(std::move(path)), machine_(MachineHiveValues()), user_defaults_(UserHiveDefaults()) {}

bool FileRegistry::KeyExists(RegistryHive hive, const std::string& key) const {
    if (hive == RegistryHive::LocalMachine) {
        return machine_.HasKey(key);
    }
    return UserHive().HasKey(key) || user_defaults_.HasKey(key);
}

std::optional<RegistryValue> FileRegistry::ReadValue(RegistryHive hive, const std::string& key,
                                                     const std::string& name) const {
    const RegistryValue* value = nullptr;
    if (hive == RegistryHive::LocalMachine) {
        value = machine_.Find(key, name);
    } else {
        value = UserHive().Find(key, name);
        value = value ? value : user_defaults_.Find(key, name);
    }
    return value ? std::optional<RegistryValue>(*value) : std::nullopt;
}

bool FileRegistry::WriteValue(RegistryHive hive, const std::string& key, const std::string& name,
                              const RegistryValue& value) {
    const auto* text = std::get_if<std::string>(&value);
    if (hive != RegistryHive::CurrentUser || path_.empty() || !StorableInRegistryText(key) ||
        !StorableInRegistryText(name) || (text && !StorableInRegistryText(*text))) {
        return false;
    }
    std::string folder = FolderOf(path_);
    if (!ForceDirectories(folder)) {
        return false;
    }
    int lock = LockFolder(folder);
    bool written = WriteLocked(key, name, value);
    if (lock >= 0) {
        close(lock);
    }
    return written;
}

bool FileRegistry::WriteLocked(const std::string& key, const std::string& name,
                               const RegistryValue& value) {
    RegistryTree updated = UserHive();
    if (corrupt_ && !KeepCorruptFileAside()) {
        return false;
    }
    updated.Set(key, name, value);
    if (!WriteFileAtomically(path_, FormatRegistryText(updated), 0600)) {
        return false;
    }
    // The next read loads what was written.
    stamp_.reset();
    return true;
}

const RegistryTree& FileRegistry::UserHive() const {
    int fd = open(path_.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    FileStamp stamp;
    struct stat info {};
    if (fd < 0) {
        stamp.error = errno;
    } else if (fstat(fd, &info) != 0) {
        stamp.error = errno;
    } else {
        stamp = {0,
                 info.st_dev,
                 info.st_ino,
                 info.st_size,
                 Nanoseconds(info.st_mtim),
                 Nanoseconds(info.st_ctim)};
    }
    if (stamp_ != stamp) {
        LoadUserHive(S_ISREG(info.st_mode) ? fd : -1, stamp);
    }
    if (fd >= 0) {
        close(fd);
    }
    return user_;
}

void FileRegistry::LoadUserHive(int fd, const FileStamp& stamp) const {
    stamp_ = stamp;
    user_ = RegistryTree();
    corrupt_ = stamp.error != ENOENT;
    if (fd < 0) {
        return;
    }
    auto content = ReadAll(fd);
    auto parsed = content ? ParseRegistryText(*content) : std::nullopt;
    if (parsed) {
        user_ = std::move(*parsed);
        corrupt_ = false;
    }
}

bool FileRegistry::KeepCorruptFileAside() const {
    std::string aside = path_ + ".corrupt-" + UtcTime();
    for (int attempt = 1; attempt < 100; ++attempt) {
        std::string name = attempt == 1 ? aside : aside + "-" + std::to_string(attempt);
        if (link(path_.c_str(), name.c_str()) == 0) {
            return true;
        }
        if (errno != EEXIST) {
            return errno == ENOENT;
        }
    }
    return false;
}

}  // namespace saver
