#include "platform/linux/XdgShell.h"

#include <sys/stat.h>

#include <vector>

#include "platform/linux/DetachedProcess.h"

namespace saver {

bool XdgShell::OpenDocument(const std::string& target) {
    return !target.empty() && StartDetached({"xdg-open", target});
}

bool XdgShell::StartHidden(const std::vector<std::string>& argv) {
    return StartDetached(argv);
}

std::string XdgShell::DisplayName(const std::string& path) const {
    struct stat info {};
    if (path.empty() || stat(path.c_str(), &info) != 0) {
        return "";
    }
    size_t end = path.find_last_not_of('/');
    if (end == std::string::npos) {
        return "/";
    }
    std::string trimmed = path.substr(0, end + 1);
    size_t slash = trimmed.rfind('/');
    return slash == std::string::npos ? trimmed : trimmed.substr(slash + 1);
}

}  // namespace saver
