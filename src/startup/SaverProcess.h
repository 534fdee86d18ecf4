#pragma once

#include "platform/Platform.h"
#include "settings/ContentResolver.h"
#include "settings/IniFile.h"
#include "settings/PlayOrder.h"
#include "settings/TSaverSetting.h"
#include "startup/SaverFolders.h"
#include "startup/SaverPackage.h"
#include "startup/StartupState.h"

#include <string>

namespace saver {

// Everything start-up leaves for the run mode: the platform, the start-up state, the
// folders, the saver package, the in-memory saver settings file, the settings record
// with its feed and content lists, and content resolution. One per process.
struct SaverProcess {
    explicit SaverProcess(Platform& platform_services) : platform(platform_services) {}

    Platform& platform;
    StartupState state;
    SaverFolders folders;
    SaverPackage package;
    IniFile settings_file;
    TSaverSetting settings;
    ContentResolver content{ContentContext{}, nullptr};
    RandomSource random = ClockSeededRandom();
    // The feed page templates, as content resolution gave them.
    std::string rss_template_path;
    std::string rss_list_path;
    // Why the saver package could not be unpacked (empty when it could, or there is none).
    std::string package_problem;
};

// Start-up steps 5 and 6 for the given executable: the package, the settings, the
// registry overrides (with a package), the safe limits of the timings, the content lists
// and the Web list's order.
// `folders` must come from PrepareFolders; `registry_key_name` is the file name whose
// user settings key applies (the running file's own name).
void LoadSaver(SaverProcess& process, const std::string& registry_key_name);

}  // namespace saver
