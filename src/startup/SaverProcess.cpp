#include "startup/SaverProcess.h"

#include "settings/RegistryOverrides.h"
#include "settings/SafeLimits.h"
#include "settings/SaverSettingKeys.h"
#include "settings/SaverSettingsFile.h"
#include "startup/SaverPaths.h"

namespace saver {

namespace {

std::string ResolvedTemplate(const ContentResolver& content, const char* name) {
    std::string path = name;
    content.ResolveContentItem(path);
    return path;
}

void LoadSaverSettings(SaverProcess& process) {
    process.settings.FeedList = BuildFeedList(process.settings_file);
    process.rss_template_path = ResolvedTemplate(process.content, "rss_template.htm");
    process.rss_list_path = ResolvedTemplate(process.content, "rss_list.htm");
    ReadSettingKeys(process.settings_file, process.settings);
}

}  // namespace

void LoadSaver(SaverProcess& process, const std::string& registry_key_name) {
    SaverFolders& folders = process.folders;
    SaverPackage::Result package = process.package.ExtractSaverPackage(
        folders.executable_path, folders.working_folder, folders.disk_folder);
    process.state.package_present = package.package_present;
    process.state.executable_form = package.executable_form;
    process.package_problem = package.problem;
    if (package.package_present) {
        folders.settings_file = package.settings_file;
    }

    process.random = ClockSeededRandom();
    process.settings = TSaverSetting{};
    ResolvePaths(folders, package.package_present, process.platform.registry,
                 process.platform.shell);
    process.settings_file = IniFile::Load(folders.settings_file);
    process.package.SetSettingsFile(&process.settings_file);
    process.content =
        ContentResolver(ContentContext{package.package_present, folders.working_folder,
                                       folders.executable_folder, folders.sample_folder},
                        &process.package);
    LoadSaverSettings(process);
    if (package.package_present) {
        ApplyRegistryOverrides(process.platform.registry, UserSettingsKey(registry_key_name),
                               process.settings);
    }
    ApplySafeLimits(process.settings);
    for (const ContentListField& field : ContentListFields()) {
        process.content.BuildContentLists(process.settings_file, std::string(field.section),
                                          process.settings.*field.list);
    }
    if (process.settings.WebSequence == wsIntelligentRandom) {
        RandomSource random = ClockSeededRandom();
        ShuffleList(process.settings.Web, random);
    }
}

}  // namespace saver
