#include "base/Files.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace saver {

namespace {

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return false;
        }
        bytes.remove_prefix(static_cast<size_t>(written));
    }
    return true;
}

size_t LastSeparator(std::string_view path, std::string_view separators) {
    return path.find_last_of(separators);
}

void SyncFolder(const std::string& folder) {
    int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

}  // namespace

bool FileExists(const std::string& path) {
    struct stat info {};
    return !path.empty() && ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

std::string FileContents(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

bool DirectoryExists(const std::string& path) {
    struct stat info {};
    return !path.empty() && ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool ForceDirectories(const std::string& path) {
    for (size_t slash = path.find('/', 1); slash != std::string::npos;
         slash = path.find('/', slash + 1)) {
        ::mkdir(path.substr(0, slash).c_str(), 0700);
    }
    ::mkdir(path.c_str(), 0700);
    return DirectoryExists(path);
}

bool WriteFile(const std::string& path, std::string_view bytes) {
    int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) {
        // A read-only file of that name is replaced, as copying over it would.
        ClearFileAttributes(path);
        fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    }
    if (fd < 0) {
        return false;
    }
    bool ok = WriteAll(fd, bytes);
    return ::close(fd) == 0 && ok;
}

namespace {

// Writes `bytes` into a temporary file beside `path` and renames it over `path`;
// `durable` flushes the file and then the folder to disk as well.
bool ReplaceByRename(const std::string& path, std::string_view bytes, mode_t mode, bool durable) {
    std::string temporary = path + ".tmp-XXXXXX";
    int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    bool ok = WriteAll(fd, bytes) && ::fchmod(fd, mode) == 0 && (!durable || ::fsync(fd) == 0);
    ok = ::close(fd) == 0 && ok;
    if (!ok || ::rename(temporary.c_str(), path.c_str()) != 0) {
        // errno keeps the reason of the failure, for callers that tell the user.
        const int error = errno;
        ::unlink(temporary.c_str());
        errno = error;
        return false;
    }
    if (durable) {
        // The new bytes are in place; a failed flush of the folder only risks losing the
        // rename in a crash, which leaves the old file, so it does not fail the write.
        SyncFolder(FolderPart(path));
    }
    return true;
}

}  // namespace

bool WriteFileAtomically(const std::string& path, std::string_view bytes, mode_t mode) {
    return ReplaceByRename(path, bytes, mode, true);
}

bool ReplaceFile(const std::string& path, std::string_view bytes) {
    return ReplaceByRename(path, bytes, 0644, false);
}

bool CopyFileReplacing(const std::string& from, const std::string& to) {
    if (!FileExists(from)) {
        return false;
    }
    // The copy gets a name of its own and is renamed into place: a file of the name `to`
    // is replaced, never written through, so a program that has it open or mapped (a
    // loaded library) keeps the old bytes, and a read-only file gives way.
    std::string temporary = to + ".tmp-XXXXXX";
    const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    ::close(fd);
    std::error_code error;
    if (!std::filesystem::copy_file(from, temporary,
                                    std::filesystem::copy_options::overwrite_existing, error) ||
        ::rename(temporary.c_str(), to.c_str()) != 0) {
        ::unlink(temporary.c_str());
        return false;
    }
    return true;
}

void ClearFileAttributes(const std::string& path) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode)) {
        ::chmod(path.c_str(), (info.st_mode & 07777) | S_IRUSR | S_IWUSR);
    }
}

std::string FileNamePart(std::string_view path) {
    size_t at = LastSeparator(path, "/\\:");
    return std::string(at == std::string_view::npos ? path : path.substr(at + 1));
}

std::string FolderPart(std::string_view path) {
    size_t at = LastSeparator(path, "/\\");
    return at == std::string_view::npos ? std::string() : std::string(path.substr(0, at + 1));
}

std::string SafeFileName(std::string_view name) {
    std::string file = FileNamePart(name);
    if (file == "." || file == ".." || file.find('\0') != std::string::npos) {
        return std::string();
    }
    return file;
}

}  // namespace saver
