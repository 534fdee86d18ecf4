// ZIP archives unpacked with small limits into a scratch folder. Whatever the bytes,
// nothing may land outside that folder, no file may be a folder, and no more entries and
// bytes than the limits allow may be written.

#include "ScratchFolder.h"
#include "startup/UnzipArchive.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

namespace {

constexpr saver::UnzipLimits kLimits{64, 1u << 20};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    namespace fs = std::filesystem;
    const std::string root = saver::fuzz::ScratchFolder("fuzz-unzip");
    const std::string work = saver::fuzz::FreshWorkFolder(root);
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
