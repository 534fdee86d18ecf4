#include "startup/UnzipArchive.h"

#include "base/Files.h"

#include <zip.h>

#include <algorithm>
#include <cerrno>
#include <memory>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace saver {

namespace {

struct ZipCloser {
    void operator()(zip_t* archive) const { zip_discard(archive); }
};
struct ZipFileCloser {
    void operator()(zip_file_t* file) const { zip_fclose(file); }
};
using ZipArchive = std::unique_ptr<zip_t, ZipCloser>;

constexpr uint8_t kMsDosReadOnly = 0x01;

// True when the entry says it should be read-only (MS-DOS attribute or Unix mode).
bool IsReadOnly(zip_t* archive, zip_uint64_t index) {
    zip_uint8_t system = 0;
    zip_uint32_t attributes = 0;
    if (zip_file_get_external_attributes(archive, index, 0, &system, &attributes) != 0) {
        return false;
    }
    if (system == ZIP_OPSYS_UNIX) {
        mode_t mode = attributes >> 16;
        return mode != 0 && (mode & S_IWUSR) == 0;
    }
    return (attributes & kMsDosReadOnly) != 0;
}

// Creates `path` afresh with `mode`. O_EXCL never follows a symbolic link, so a link or
// a read-only file of that name is removed and replaced, never written through.
int CreateFresh(const std::string& path, mode_t mode) {
    const int flags = O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC;
    int fd = ::open(path.c_str(), flags, mode);
    if (fd < 0 && errno == EEXIST && ::unlink(path.c_str()) == 0) {
        fd = ::open(path.c_str(), flags, mode);
    }
    return fd;
}

// Streams one entry of `size` declared bytes into its file, and no byte more: data that
// goes on past the declared size, like any damage, removes the file again.
bool ExtractEntry(zip_t* archive, zip_uint64_t index, uint64_t size, const std::string& path) {
    std::unique_ptr<zip_file_t, ZipFileCloser> entry(zip_fopen_index(archive, index, 0));
    if (!entry) {
        return false;
    }
    int fd = CreateFresh(path, IsReadOnly(archive, index) ? 0444 : 0644);
    if (fd < 0) {
        return false;
    }
    char buffer[64 * 1024];
    bool ok = true;
    for (uint64_t left = size; ok && left > 0;) {
        const zip_int64_t got =
            zip_fread(entry.get(), buffer, std::min<uint64_t>(sizeof buffer, left));
        ok = got > 0 && ::write(fd, buffer, static_cast<size_t>(got)) == got;
        left -= ok ? static_cast<uint64_t>(got) : 0;
    }
    // The declared end must be the data's end (the library checks the CRC there).
    ok = ok && zip_fread(entry.get(), buffer, 1) == 0;
    ok = ::close(fd) == 0 && ok;
    if (!ok) {
        ::unlink(path.c_str());
    }
    return ok;
}

std::optional<ZipEntryInfo> EntryInfo(zip_t* archive, zip_uint64_t index) {
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_stat_index(archive, index, ZIP_FL_ENC_GUESS, &stat) != 0 ||
        (stat.valid & ZIP_STAT_SIZE) == 0 || (stat.valid & ZIP_STAT_NAME) == 0) {
        return std::nullopt;
    }
    return ZipEntryInfo{SafeFileName(stat.name), stat.size,
                        (stat.valid & ZIP_STAT_COMP_SIZE) != 0 ? stat.comp_size : 0};
}

struct PlannedEntry {
    zip_uint64_t index = 0;
    uint64_t size = 0;
    std::string file;  // the name written in the target folder
};

// The entries to unpack, checked against the limits before anything is written.
std::string PlanEntries(zip_t* archive, const UnzipOptions& options, const UnzipLimits& limits,
                        std::vector<PlannedEntry>& planned) {
    const zip_int64_t count = zip_get_num_entries(archive, 0);
    if (count < 0 || static_cast<uint64_t>(count) > limits.max_entries) {
        return "the archive holds " + std::to_string(count) + " entries, more than the " +
               std::to_string(limits.max_entries) + " allowed";
    }
    uint64_t total = 0;
    std::string problem;
    for (zip_int64_t i = 0; i < count; ++i) {
        const auto index = static_cast<zip_uint64_t>(i);
        const std::optional<ZipEntryInfo> info = EntryInfo(archive, index);
        if (!info) {
            problem = "entry " + std::to_string(i + 1) + " cannot be read";
            continue;
        }
        const std::string file = info->name.empty() ? ""
                                 : options.select   ? options.select(info->name)
                                                    : info->name;
        if (file.empty()) {
            continue;
        }
        total += std::min(info->size, limits.max_total_bytes + 1);
        if (total > limits.max_total_bytes) {
            planned.clear();
            return "the archive's entries declare more than " +
                   std::to_string(limits.max_total_bytes) + " bytes together, the most allowed";
        }
        planned.push_back({index, info->size, file});
    }
    return problem;
}

std::string ExtractAll(zip_t* archive, const std::string& target_folder,
                       const UnzipOptions& options, uint64_t archive_bytes) {
    const UnzipLimits limits = options.limits.value_or(LimitsForArchive(archive_bytes));
    std::vector<PlannedEntry> planned;
    std::string problem = PlanEntries(archive, options, limits, planned);
    for (const PlannedEntry& entry : planned) {
        const std::string path = target_folder + entry.file;
        const std::string written =
            options.placement ? options.placement->Place(path, entry.size) : path;
        if (!ExtractEntry(archive, entry.index, entry.size, written)) {
            problem = "the entry " + entry.file + " is damaged";
        }
    }
    return problem;
}

ZipArchive OpenBytes(std::string_view bytes) {
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_buffer_create(bytes.data(), bytes.size(), 0, &error);
    zip_t* opened = source == nullptr ? nullptr : zip_open_from_source(source, ZIP_RDONLY, &error);
    zip_error_fini(&error);
    if (opened == nullptr) {
        zip_source_free(source);
    }
    return ZipArchive(opened);
}

constexpr const char* kUnreadable = "it is no readable ZIP archive";

}  // namespace

UnzipLimits LimitsForArchive(uint64_t archive_bytes) {
    const uint64_t by_ratio = archive_bytes > (kMaxZipTotalBytes - kZipBaseBytes) / kZipRatio
                                  ? kMaxZipTotalBytes
                                  : kZipBaseBytes + kZipRatio * archive_bytes;
    return {kMaxZipEntries, std::min(by_ratio, kMaxZipTotalBytes)};
}

std::string UnzipArchive(const std::string& archive_path, const std::string& target_folder,
                         const UnzipOptions& options) {
    int error = 0;
    ZipArchive archive(zip_open(archive_path.c_str(), ZIP_RDONLY, &error));
    struct stat info {};
    if (!archive || ::stat(archive_path.c_str(), &info) != 0) {
        return kUnreadable;
    }
    return ExtractAll(archive.get(), target_folder, options, static_cast<uint64_t>(info.st_size));
}

std::string UnzipArchiveBytes(std::string_view bytes, const std::string& target_folder,
                              const UnzipOptions& options) {
    ZipArchive archive = OpenBytes(bytes);
    return archive ? ExtractAll(archive.get(), target_folder, options, bytes.size()) : kUnreadable;
}

std::optional<std::vector<ZipEntryInfo>> ListZipEntries(std::string_view bytes) {
    ZipArchive archive = OpenBytes(bytes);
    if (!archive) {
        return std::nullopt;
    }
    std::vector<ZipEntryInfo> entries;
    const zip_int64_t count = zip_get_num_entries(archive.get(), 0);
    for (zip_int64_t i = 0; i < count; ++i) {
        if (std::optional<ZipEntryInfo> info =
                EntryInfo(archive.get(), static_cast<zip_uint64_t>(i))) {
            entries.push_back(std::move(*info));
        }
    }
    return entries;
}

}  // namespace saver
