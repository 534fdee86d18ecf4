#include "platform/linux/AnsweredValues.h"

#include "platform/linux/UserAccount.h"

namespace saver {

RegistryTree MachineHiveValues() {
    const std::string owner = UserFullName();
    RegistryTree tree;
    tree.Set("Software\\Microsoft\\Windows\\CurrentVersion", "ProgramFilesDir",
             std::string("/opt"));
    for (const char* key : {"Software\\Microsoft\\Windows NT\\CurrentVersion",
                            "Software\\Microsoft\\Windows\\CurrentVersion"}) {
        tree.Set(key, "RegisteredOwner", owner);
        tree.Set(key, "RegisteredOrganization", std::string());
    }
    return tree;
}

RegistryTree UserHiveDefaults() {
    RegistryTree tree;
    std::string data_home = XdgDataHome();
    if (!data_home.empty()) {
        tree.Set("Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", "AppData",
                 data_home);
    }
    return tree;
}

}  // namespace saver
