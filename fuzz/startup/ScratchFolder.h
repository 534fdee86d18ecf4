#pragma once

#include "base/Files.h"

#include <cstdlib>
#include <filesystem>
#include <string>

namespace saver::fuzz {

// The scratch folder of this fuzzing run (ending in "/"), made once in the system's
// temporary folder with `prefix` in its name.
inline const std::string& ScratchFolder(const char* prefix) {
    static const std::string folder = [prefix] {
        std::string pattern =
            (std::filesystem::temp_directory_path() / (std::string(prefix) + "-XXXXXX")).string();
        return std::string(::mkdtemp(pattern.data())) + "/";
    }();
    return folder;
}

// The folder "work/" of the scratch folder, emptied for the next input.
inline std::string FreshWorkFolder(const std::string& scratch) {
    const std::string work = scratch + "work/";
    std::filesystem::remove_all(work);
    ForceDirectories(work);
    return work;
}

}  // namespace saver::fuzz
