#include "startup/InstallCommand.h"

#include "base/Files.h"
#include "settings/IniFile.h"
#include "startup/SaverPaths.h"

namespace saver {

bool HandleInstallCommand(const Arguments& arguments, const SaverFolders& folders, Shell& shell) {
    if (!IsInstallCommand(arguments)) {
        return false;
    }
    const std::string& folder = arguments[1];
    const std::string& file = arguments[2];
    const std::string log_path = folders.app_data_folder + "log.ini";
    IniFile log = IniFile::Load(log_path);
    log.WriteString("install", folders.executable_path, folder);
    log.WriteString("install", SaverNameOf(folders.executable_path), folder);
    if (folders.executable_path.find("Saver(Orvane)") != std::string::npos) {
        log.WriteString("install", "TamselPro", folder);
    }
    log.Save(log_path);

    // The copy keeps only the file's own name, so it cannot land outside the folder.
    const std::string copy_name = SafeFileName(file);
    if (!copy_name.empty() && FileExists(folder + file)) {
        CopyFileReplacing(folder + file, folders.app_data_folder + copy_name);
    }
    if (arguments.size() == 4 && arguments[3] == "true") {
        // The saver's path is one argument, whatever blanks or quotes it holds.
        shell.StartHidden(
            {folders.system_folder + kSelectScreenSaverProgram, folders.executable_path});
    }
    return true;
}

}  // namespace saver
