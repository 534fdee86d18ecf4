#include "startup/SaverFolders.h"

#include "base/Files.h"

namespace saver {

namespace {

std::string WithSlash(std::string folder) {
    if (!folder.empty() && folder.back() != '/' && folder.back() != '\\') {
        folder += '/';
    }
    return folder;
}

}  // namespace

std::string LargeFileFolder(const Folders& folders) {
    const std::string disk = WithSlash(folders.DiskFolder());
    return disk == WithSlash(folders.TemporaryFolder()) ? "" : disk + kWorkingFolderName;
}

SaverFolders PrepareFolders(const Folders& folders, const Registry& registry) {
    SaverFolders result;
    result.working_folder = WithSlash(folders.TemporaryFolder()) + kWorkingFolderName;
    result.disk_folder = LargeFileFolder(folders);
    result.system_folder = WithSlash(folders.SystemFolder());
    std::string app_data =
        registry
            .ReadString(RegistryHive::CurrentUser,
                        "\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
                        "AppData")
            .value_or(std::string());
    result.app_data_folder = WithSlash(app_data) + "Orvane/";
    result.executable_path = folders.ExecutablePath();
    result.executable_folder = FolderPart(result.executable_path);
    ForceDirectories(result.app_data_folder);
    ForceDirectories(result.working_folder + "tmp");
    return result;
}

}  // namespace saver
