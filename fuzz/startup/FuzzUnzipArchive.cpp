// ZIP archives unpacked with small limits into a scratch folder. Whatever the bytes,
// nothing may land outside that folder, no file may be a folder, and no more entries and
// bytes than the limits allow may be written.

#include "base/Files.h"
#include "startup/UnzipArchive.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

namespace {

constexpr saver::UnzipLimits kLimits{64, 1u << 20};

const std::string& Scratch() {
    static const std::string folder = [] {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "fuzz-unzip-XXXXXX").string();
        return std::string(::mkdtemp(pattern.data())) + "/";
    }();
    return folder;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    namespace fs = std::filesystem;
    const std::string root = Scratch();
    const std::string work = root + "work/";
    fs::remove_all(work);
    saver::ForceDirectories(work);
    saver::UnzipOptions options;
    options.limits = kLimits;
    saver::UnzipArchiveBytes(std::string_view(reinterpret_cast<const char*>(data), size), work,
                             options);
    for (const auto& entry : fs::directory_iterator(root)) {
        if (entry.path().filename() != "work") {
            std::abort();  // something was written outside the target folder
        }
    }
    uint64_t files = 0;
    uint64_t bytes = 0;
    for (const auto& entry : fs::directory_iterator(work)) {
        if (entry.is_directory() || entry.is_symlink()) {
            std::abort();  // the archive keeps no folders and makes no links
        }
        ++files;
        bytes += entry.file_size();
    }
    if (files > kLimits.max_entries || bytes > kLimits.max_total_bytes) {
        std::abort();  // more than the limits allow
    }
    return 0;
}
