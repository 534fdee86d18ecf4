#pragma once

#include "platform/Folders.h"
#include "platform/Registry.h"

#include <string>

namespace saver {

// The process's folders and paths. Every folder path ends with "/".
struct SaverFolders {
    std::string working_folder;     // the user's temporary folder + "Orvane/"
    std::string app_data_folder;    // the "AppData" shell folder + "Orvane/"
    std::string system_folder;      // where platform libraries are loaded from
    std::string executable_path;    // the running file, full path
    std::string executable_folder;  // its folder
    std::string saver_name;         // its name without folder and extension
    std::string settings_file;      // the saver settings file
    std::string sample_folder;      // where a saver without package finds its content
};

// Computes the working, application data and system folders and creates the first two
// (the working folder with its "tmp" subfolder). Failures to create are ignored.
SaverFolders PrepareFolders(const Folders& folders, const Registry& registry);

// The working folder's name inside the temporary folder, shared by every saver.
inline constexpr const char* kWorkingFolderName = "Orvane/";

}  // namespace saver
