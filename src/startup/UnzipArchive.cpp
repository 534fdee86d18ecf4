#include "startup/UnzipArchive.h"

#include "base/Files.h"

#include <zip.h>

#include <cstdio>
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

// Streams one entry into a temporary file beside `path`, then renames it into place, so
// a symlink or read-only file of that name is replaced, never written through.
bool ExtractEntry(zip_t* archive, zip_uint64_t index, const std::string& path) {
    std::unique_ptr<zip_file_t, ZipFileCloser> entry(zip_fopen_index(archive, index, 0));
    if (!entry) {
        return false;
    }
    std::string temporary = path + ".unzip-XXXXXX";
    int fd = ::mkstemp(temporary.data());
    if (fd < 0) {
        return false;
    }
    char buffer[64 * 1024];
    bool ok = true;
    for (zip_int64_t got; ok && (got = zip_fread(entry.get(), buffer, sizeof buffer)) != 0;) {
        ok = got > 0 && ::write(fd, buffer, static_cast<size_t>(got)) == got;
    }
    mode_t mode = IsReadOnly(archive, index) ? 0444 : 0644;
    ok = ::fchmod(fd, mode) == 0 && ok;
    ok = ::close(fd) == 0 && ok;
    if (!ok || ::rename(temporary.c_str(), path.c_str()) != 0) {
        ::unlink(temporary.c_str());
        return false;
    }
    return true;
}

}  // namespace

bool UnzipArchive(const std::string& archive_path, const std::string& target_folder) {
    int error = 0;
    std::unique_ptr<zip_t, ZipCloser> archive(zip_open(archive_path.c_str(), ZIP_RDONLY, &error));
    if (!archive) {
        return false;
    }
    zip_int64_t count = zip_get_num_entries(archive.get(), 0);
    for (zip_int64_t i = 0; i < count; ++i) {
        auto index = static_cast<zip_uint64_t>(i);
        const char* name = zip_get_name(archive.get(), index, ZIP_FL_ENC_GUESS);
        std::string file = name != nullptr ? SafeFileName(name) : std::string();
        if (!file.empty()) {
            ExtractEntry(archive.get(), index, target_folder + file);
        }
    }
    return true;
}

}  // namespace saver
