#pragma once

#include "platform/Folders.h"
#include "platform/Registry.h"

#include <string>

namespace saver {

// The process's folders and paths. Every folder path ends with "/".
struct SaverFolders {
    std::string working_folder;     // the user's temporary folder + "Orvane/"
    std::string disk_folder;        // where large unpacked files go; empty: the working folder
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

// The working folder's name inside the temporary folder, shared by every saver; the
// folder for large files has the same name inside the disk folder.
inline constexpr const char* kWorkingFolderName = "Orvane/";

// The folder large unpacked files go to; empty when the system has no disk folder apart
// from the temporary folder.
std::string LargeFileFolder(const Folders& folders);

}  // namespace saver
