// The tail of a saver file: the package header and the archive behind it, unpacked into
// a scratch folder. Whatever the bytes, nothing may land outside that folder.

#include "ScratchFolder.h"
#include "base/Files.h"
#include "startup/PackageLayout.h"
#include "startup/SaverPackage.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    namespace fs = std::filesystem;
    const std::string root = saver::fuzz::ScratchFolder("fuzz-package");
    const std::string work = saver::fuzz::FreshWorkFolder(root);
    // The input is the file's tail behind a marker, as saverpack writes it.
    std::string bytes = "host" + saver::PackageMarker();
    bytes.append(reinterpret_cast<const char*>(data), size);
    saver::WriteFile(root + "saver.scr", bytes);

    saver::SaverPackage package;
    package.ExtractSaverPackage(root + "saver.scr", work);
    for (const auto& entry : fs::directory_iterator(root)) {
        const std::string name = entry.path().filename().string();
        if (name != "work" && name != "saver.scr") {
            std::abort();  // something was written outside the working folder
        }
    }
    for (const auto& entry : fs::directory_iterator(work)) {
        if (entry.is_directory()) {
            std::abort();  // the package keeps no folders
        }
    }
    return 0;
}
