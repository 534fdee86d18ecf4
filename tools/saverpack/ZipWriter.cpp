#include "ZipWriter.h"

#include <zip.h>

#include <memory>
#include <stdexcept>

namespace saver {

namespace {

struct SourceCloser {
    void operator()(zip_source_t* source) const { zip_source_free(source); }
};

[[noreturn]] void Fail(const std::string& what, zip_error_t* error) {
    std::string message = what + ": " + zip_error_strerror(error);
    zip_error_fini(error);
    throw std::runtime_error(message);
}

}  // namespace

std::string MakeZipArchive(const std::vector<ZipEntry>& entries) {
    zip_error_t error;
    zip_error_init(&error);
    std::unique_ptr<zip_source_t, SourceCloser> buffer(
        zip_source_buffer_create(nullptr, 0, 0, &error));
    if (!buffer) {
        Fail("cannot create a ZIP buffer", &error);
    }
    zip_t* archive = zip_open_from_source(buffer.get(), ZIP_TRUNCATE, &error);
    if (archive == nullptr) {
        Fail("cannot start a ZIP archive", &error);
    }
    zip_source_keep(buffer.get());
    auto fail_on = [&](const std::string& name) {
        std::string message = zip_strerror(archive);
        zip_discard(archive);
        throw std::runtime_error("cannot add " + name + " to the archive: " + message);
    };
    for (const ZipEntry& entry : entries) {
        zip_source_t* data = zip_source_buffer(archive, entry.bytes.data(), entry.bytes.size(), 0);
        zip_int64_t index = data == nullptr
                                ? -1
                                : zip_file_add(archive, entry.name.c_str(), data, ZIP_FL_ENC_UTF_8);
        if (index < 0) {
            zip_source_free(data);
            fail_on(entry.name);
        }
        const zip_uint32_t mode = entry.read_only ? 0100444 : 0100644;
        if (zip_file_set_external_attributes(archive, static_cast<zip_uint64_t>(index), 0,
                                             ZIP_OPSYS_UNIX, mode << 16) != 0) {
            fail_on(entry.name);
        }
    }
    if (zip_close(archive) != 0) {
        std::string message = zip_strerror(archive);
        zip_discard(archive);
        throw std::runtime_error("cannot finish the ZIP archive: " + message);
    }
    zip_stat_t info;
    if (zip_source_stat(buffer.get(), &info) != 0 || zip_source_open(buffer.get()) != 0) {
        throw std::runtime_error("cannot read the finished ZIP archive");
    }
    std::string bytes(info.size, '\0');
    zip_int64_t got = zip_source_read(buffer.get(), bytes.data(), info.size);
    zip_source_close(buffer.get());
    if (got < 0 || static_cast<zip_uint64_t>(got) != info.size) {
        throw std::runtime_error("cannot read the finished ZIP archive");
    }
    return bytes;
}

}  // namespace saver
