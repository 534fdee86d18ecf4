#include "aatext/text/TUserLabels.h"

#include <pwd.h>
#include <unistd.h>

#include "aatext/text/TextRows.h"
#include "platform/Registry.h"

namespace saver {

namespace {

constexpr const char* kCurrentVersionKey = "\\Software\\Microsoft\\Windows NT\\CurrentVersion";

std::string ReadMachineString(const Registry* registry, const char* name) {
    if (registry == nullptr) {
        return "";
    }
    return registry->ReadString(RegistryHive::LocalMachine, kCurrentVersionKey, name).value_or("");
}

}  // namespace

std::string LoggedOnUserName() {
    std::string name;
    std::vector<char> buffer(16384);
    passwd entry{};
    passwd* found = nullptr;
    if (getpwuid_r(geteuid(), &entry, buffer.data(), buffer.size(), &found) == 0 &&
        found != nullptr && found->pw_name != nullptr) {
        name = found->pw_name;
    } else if (const char* login = getlogin(); login != nullptr) {
        name = login;
    }
    // The system call of the original platform fills a buffer of 255 characters.
    return name.substr(0, 254);
}

TUserLabels::TUserLabels(const Registry* registry)
    : reg_owner_(ReadMachineString(registry, "RegisteredOwner")),
      reg_organization_(ReadMachineString(registry, "RegisteredOrganization")),
      clock_([] { return std::time(nullptr); }) {
    if (reg_owner_.empty()) {
        reg_owner_ = LoggedOnUserName();
    }
}

std::string TUserLabels::FormatNow(const char* format) const {
    const std::time_t now = clock_();
    std::tm local{};
    localtime_r(&now, &local);
    char buffer[256];
    const size_t length = std::strftime(buffer, sizeof buffer, format, &local);
    return std::string(buffer, length);
}

void TUserLabels::AddStandardLabels() {
    const std::pair<const char*, TLabelStyle> standard[] = {{"Left", lsLeftJustify},
                                                            {"Center", lsCenter},
                                                            {"Right", lsRightJustify},
                                                            {"Owner", lsRegOwner},
                                                            {"Organization", lsRegOrganization},
                                                            {"AppTitle", lsAppTitle},
                                                            {"Date", lsDate},
                                                            {"Time", lsTime}};
    for (const auto& [name, style] : standard) {
        if (IndexOfName(name) < 0) {
            Add(name).SetStyle(style);
        }
    }
}

void TUserLabels::ApplyLabelTags(std::string& line, TAlignment& alignment) {
    for (int i = 0; i < Count(); ++i) {
        TUserLabel& label = (*this)[i];
        const size_t pos = FindTag(line, label.Name());
        if (pos == std::string::npos) {
            continue;
        }
        line.erase(pos, label.Name().size() + 2);
        switch (label.Style()) {
            case lsLeftJustify:
                alignment = taLeftJustify;
                break;
            case lsCenter:
                alignment = taCenter;
                break;
            case lsRightJustify:
                alignment = taRightJustify;
                break;
            default:
                line.insert(pos, label.LabelText());
                break;
        }
    }
}

}  // namespace saver
