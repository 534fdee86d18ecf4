#include "platform/linux/UserAccount.h"

#include <pwd.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <optional>
#include <vector>

namespace saver {

namespace {

struct PasswdEntry {
    std::string login;
    std::string gecos;
    std::string home;
};

std::optional<PasswdEntry> OwnPasswdEntry() {
    std::vector<char> buffer(16384);
    passwd entry{};
    passwd* found = nullptr;
    int error;
    while ((error = getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found)) == ERANGE) {
        buffer.resize(buffer.size() * 2);
    }
    if (error != 0 || found == nullptr) {
        return std::nullopt;
    }
    return PasswdEntry{entry.pw_name ? entry.pw_name : "", entry.pw_gecos ? entry.pw_gecos : "",
                       entry.pw_dir ? entry.pw_dir : ""};
}

std::string AbsoluteFromEnvironment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && value[0] == '/' ? value : "";
}

std::string XdgFolder(const char* variable, const char* below_home) {
    std::string folder = AbsoluteFromEnvironment(variable);
    if (!folder.empty()) {
        return folder;
    }
    std::string home = HomeFolder();
    return home.empty() ? "" : home + below_home;
}

}  // namespace

std::string HomeFolder() {
    std::string home = AbsoluteFromEnvironment("HOME");
    if (home.empty()) {
        auto entry = OwnPasswdEntry();
        home = entry && !entry->home.empty() && entry->home[0] == '/' ? entry->home : "";
    }
    while (home.size() > 1 && home.back() == '/') {
        home.pop_back();
    }
    return home;
}

std::string XdgConfigHome() {
    return XdgFolder("XDG_CONFIG_HOME", "/.config");
}

std::string XdgDataHome() {
    return XdgFolder("XDG_DATA_HOME", "/.local/share");
}

std::string XdgCacheHome() {
    return XdgFolder("XDG_CACHE_HOME", "/.cache");
}

std::string UserFullName() {
    auto entry = OwnPasswdEntry();
    if (!entry) {
        return "";
    }
    std::string login = entry->login;
    if (!login.empty()) {
        login[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(login[0])));
    }
    std::string name;
    for (char c : entry->gecos.substr(0, entry->gecos.find(','))) {
        name += c == '&' ? login : std::string(1, c);
    }
    return name;
}

}  // namespace saver
