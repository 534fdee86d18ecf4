#include "startup/UnzipArchive.h"

#include "base/Files.h"

#include <zip.h>

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

// Streams one entry into its file. A file left half written (a damaged entry) is removed.
bool ExtractEntry(zip_t* archive, zip_uint64_t index, const std::string& path) {
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
    for (zip_int64_t got; ok && (got = zip_fread(entry.get(), buffer, sizeof buffer)) != 0;) {
        ok = got > 0 && ::write(fd, buffer, static_cast<size_t>(got)) == got;
    }
    ok = ::close(fd) == 0 && ok;
    if (!ok) {
        ::unlink(path.c_str());
    }
    return ok;
}

// Where the entry is written: in the target folder, or where `placement` puts it.
std::string EntryPath(zip_t* archive, zip_uint64_t index, const std::string& path,
                      const LargeFilePlacement* placement) {
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (placement == nullptr || zip_stat_index(archive, index, 0, &stat) != 0 ||
        (stat.valid & ZIP_STAT_SIZE) == 0) {
        return path;
    }
    return placement->Place(path, stat.size);
}

void ExtractAll(zip_t* archive, const std::string& target_folder,
                const LargeFilePlacement* placement) {
    zip_int64_t count = zip_get_num_entries(archive, 0);
    for (zip_int64_t i = 0; i < count; ++i) {
        auto index = static_cast<zip_uint64_t>(i);
        const char* name = zip_get_name(archive, index, ZIP_FL_ENC_GUESS);
        std::string file = name != nullptr ? SafeFileName(name) : std::string();
        if (!file.empty()) {
            ExtractEntry(archive, index,
                         EntryPath(archive, index, target_folder + file, placement));
        }
    }
}

}  // namespace

bool UnzipArchive(const std::string& archive_path, const std::string& target_folder,
                  const LargeFilePlacement* placement) {
    int error = 0;
    std::unique_ptr<zip_t, ZipCloser> archive(zip_open(archive_path.c_str(), ZIP_RDONLY, &error));
    if (!archive) {
        return false;
    }
    ExtractAll(archive.get(), target_folder, placement);
    return true;
}

bool UnzipArchiveBytes(std::string_view bytes, const std::string& target_folder,
                       const LargeFilePlacement* placement) {
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_buffer_create(bytes.data(), bytes.size(), 0, &error);
    zip_t* opened = source == nullptr ? nullptr : zip_open_from_source(source, ZIP_RDONLY, &error);
    zip_error_fini(&error);
    if (opened == nullptr) {
        zip_source_free(source);
        return false;
    }
    std::unique_ptr<zip_t, ZipCloser> archive(opened);
    ExtractAll(archive.get(), target_folder, placement);
    return true;
}

}  // namespace saver
