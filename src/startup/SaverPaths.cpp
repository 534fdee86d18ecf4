#include "startup/SaverPaths.h"

#include "base/Files.h"
#include "settings/IniFile.h"

namespace saver {

namespace {

const char* const kQuillmont = "\\Software\\Quillmont\\";

// The install log's entry for this saver: by full path, else by saver name.
std::string InstalledSampleFolder(const SaverFolders& folders) {
    IniFile log = IniFile::Load(folders.app_data_folder + "log.ini");
    std::string folder = log.ReadString("install", folders.executable_path);
    return folder.empty() ? log.ReadString("install", folders.saver_name) : folder;
}

// The default value of the saver's own key, else of the "TamselPro" key, with a "/".
void RegistrySampleFolder(const Registry& registry, const std::string& saver_name,
                          std::string& folder) {
    for (const std::string& key :
         {kQuillmont + saver_name, kQuillmont + std::string("TamselPro")}) {
        if (registry.KeyExists(RegistryHive::CurrentUser, key)) {
            folder = registry.ReadString(RegistryHive::CurrentUser, key, "").value_or("") + "/";
            return;
        }
    }
}

std::string ProgramFilesSampleFolder(const Registry& registry, const SaverFolders& folders) {
    std::string program_files =
        registry
            .ReadString(RegistryHive::LocalMachine,
                        "\\Software\\Microsoft\\Windows\\CurrentVersion", "ProgramFilesDir")
            .value_or("") +
        "/";
    const std::string& name = folders.saver_name;
    for (const std::string& candidate :
         {program_files + "Orvane/Screensavers/" + name + "/Sample/",
          program_files + "Screensavers/" + name + "/Sample/",
          program_files + "Orvane/Screensaver Pro/", program_files + "Orvane/Screensaver/"}) {
        if (DirectoryExists(candidate)) {
            return candidate;
        }
    }
    return folders.executable_folder;
}

}  // namespace

std::string SaverNameOf(const std::string& path) {
    std::string name = FileNamePart(path);
    size_t dot = name.rfind('.');
    if (dot != std::string::npos) {
        name = name.substr(0, name.find(name.substr(dot)));
    }
    return name;
}

void ResolvePaths(SaverFolders& folders, bool package_present, const Registry& registry,
                  const Shell& shell) {
    std::string named = folders.executable_path;
    if (FileNamePart(named).find('~') != std::string::npos) {
        std::string display = shell.DisplayName(named);
        named = display.empty() ? named : display;
    }
    folders.saver_name = SaverNameOf(named);
    if (!package_present) {
        std::string beside = folders.executable_folder + folders.saver_name + ".002";
        folders.settings_file =
            FileExists(beside) ? beside : folders.app_data_folder + folders.saver_name + ".002";
    }
    std::string sample = InstalledSampleFolder(folders);
    if (!DirectoryExists(sample)) {
        RegistrySampleFolder(registry, folders.saver_name, sample);
    }
    if (sample.size() < 3) {
        sample = ProgramFilesSampleFolder(registry, folders);
    }
    if (!sample.ends_with('/') && !sample.ends_with('\\')) {
        sample += '/';
    }
    folders.sample_folder = sample;
}

}  // namespace saver
