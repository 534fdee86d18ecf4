#include "startup/SaverPackage.h"

#include "base/Files.h"
#include "base/Text.h"
#include "startup/PackageLayout.h"
#include "startup/UnzipArchive.h"

#include <algorithm>
#include <cerrno>
#include <functional>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace saver {

namespace {

constexpr size_t kCopyChunk = 1 << 20;

bool ReadAt(int fd, char* buffer, size_t size, uint64_t offset) {
    while (size > 0) {
        ssize_t got = ::pread(fd, buffer, size, static_cast<off_t>(offset));
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            return false;
        }
        buffer += got;
        size -= static_cast<size_t>(got);
        offset += static_cast<uint64_t>(got);
    }
    return true;
}

}  // namespace

SaverPackage::~SaverPackage() {
    if (executable_fd_ >= 0) {
        ::close(executable_fd_);
    }
}

SaverPackage::Result SaverPackage::ExtractSaverPackage(const std::string& executable_path,
                                                       const std::string& working_folder,
                                                       const std::string& disk_folder) {
    Result result;
    working_folder_ = working_folder;
    placement_ = {working_folder, disk_folder};
    int fd = ::open(executable_path.c_str(), O_RDONLY | O_CLOEXEC);
    struct stat info {};
    if (fd < 0 || ::fstat(fd, &info) != 0) {
        if (fd >= 0) {
            ::close(fd);
        }
        return result;
    }
    const auto size = static_cast<uint64_t>(info.st_size);
    const uint64_t tail_start = size > kPackageTailSize ? size - kPackageTailSize : 0;
    std::string tail(size - tail_start, '\0');
    const PackageHeader header = ReadAt(fd, tail.data(), tail.size(), tail_start)
                                     ? ReadPackageHeader(tail)
                                     : PackageHeader{};
    if (!header.found) {
        ::close(fd);
        return result;
    }
    executable_fd_ = fd;
    executable_size_ = size;
    result.package_present = true;
    result.executable_form = UpperCase(executable_path).ends_with(".EXE");
    if (!header.valid) {
        result.problem = "the package marker is not followed by a settings file name and \"**\"";
        return result;
    }
    // The archive's copy stays beside what it holds until the process ends; the entries
    // are read from memory.
    std::string_view bytes = std::string_view(tail).substr(header.archive_offset);
    WriteFile(working_folder + header.name + "~", bytes);
    archive_entries_ = ListZipEntries(bytes).value_or(std::vector<ZipEntryInfo>{});
    UnzipOptions options{.placement = &placement_, .select = {}, .limits = {}};
    if (settings_only_) {
        options.select = [&header](const std::string& file) {
            return file == header.name ? file : std::string();
        };
    }
    const std::string problem = UnzipArchiveBytes(bytes, working_folder, options);
    if (!problem.empty()) {
        result.problem = "the package archive cannot be unpacked: " + problem;
    }
    result.settings_file = working_folder + header.name;
    return result;
}

bool SaverPackage::CopyRange(uint64_t start, uint64_t end, const std::string& path) const {
    int out = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, 0644);
    if (out < 0) {
        ClearFileAttributes(path);
        out = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, 0644);
    }
    if (out < 0) {
        return false;
    }
    std::vector<char> buffer(std::min<uint64_t>(kCopyChunk, end - start));
    bool ok = true;
    for (uint64_t at = start; ok && at < end;) {
        size_t chunk = static_cast<size_t>(std::min<uint64_t>(buffer.size(), end - at));
        ok = ReadAt(executable_fd_, buffer.data(), chunk, at) &&
             ::write(out, buffer.data(), chunk) == static_cast<ssize_t>(chunk);
        at += chunk;
    }
    ok = ::close(out) == 0 && ok;
    if (!ok) {
        ::unlink(path.c_str());
    }
    return ok;
}

void SaverPackage::ExtractPackageItem(const std::string& key, const std::string& destination,
                                      const std::string& target_folder) {
    ExtractItem(key, destination, target_folder, {});
}

void SaverPackage::ExtractItem(const std::string& key, const std::string& destination,
                               const std::string& target_folder,
                               const std::function<std::string(const std::string&)>& select) {
    if (executable_fd_ < 0 || settings_ == nullptr || settings_only_) {
        return;
    }
    const int32_t start = settings_->ReadInteger("zippos", key + "_1", 0);
    const int32_t end = settings_->ReadInteger("zippos", key + "_2", 0);
    // A range that is missing, backwards or not inside the file names no item.
    if (start <= 0 || end <= start || static_cast<uint64_t>(end) > executable_size_) {
        return;
    }
    const auto size = static_cast<uint64_t>(end - start);
    const std::string copy = placement_.Place(destination + "~", size);
    if (!CopyRange(static_cast<uint64_t>(start), static_cast<uint64_t>(end), copy)) {
        return;
    }
    if (settings_->ReadBool("notzip", key, false)) {
        CopyFileReplacing(copy, placement_.Place(destination, size));
    } else {
        UnzipArchive(copy, target_folder.empty() ? working_folder_ : target_folder,
                     UnzipOptions{.placement = &placement_, .select = select, .limits = {}});
    }
}

void SaverPackage::ProvideMpegLibrary(const std::string& system_folder) {
    if (executable_fd_ < 0 || FileExists(system_folder + kMpegLibraryName)) {
        return;
    }
    const auto only_the_library = [](const std::string& file) {
        return UpperCase(file) == kMpegLibraryName ? std::string(kMpegLibraryName) : std::string();
    };
    const std::string in_working_folder = working_folder_ + kMpegLibraryName;
    const bool to_system_folder = ::geteuid() != 0 && ::access(system_folder.c_str(), W_OK) == 0;
    ExtractItem(kMpegLibraryName, in_working_folder,
                to_system_folder ? system_folder : working_folder_, only_the_library);
    // A library that could not be placed in the system folder is loaded from the working
    // folder.
    if (!FileExists(system_folder + kMpegLibraryName) && !FileExists(in_working_folder)) {
        ExtractItem(kMpegLibraryName, in_working_folder, working_folder_, only_the_library);
    }
}

}  // namespace saver
