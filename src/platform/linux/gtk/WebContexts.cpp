#include "platform/linux/gtk/WebContexts.h"

#include <sys/stat.h>

#include <algorithm>
#include <array>

namespace saver {
namespace {

std::vector<std::string>& SandboxFolders() {
    static std::vector<std::string> folders;
    return folders;
}

std::string WithoutTrailingSlash(std::string path) {
    while (path.size() > 1 && path.back() == '/') {
        path.pop_back();
    }
    return path;
}

bool Contains(const std::string& folder, const std::string& path) {
    return path == folder || path.starts_with(folder + "/");
}

// The engine refuses these (some with a fatal error). A folder holding the runtime
// folder cannot be given either: the engine makes its own mount points in the runtime
// folder, which a read-only folder around it would forbid, and no web process could
// start.
bool RefusedBySandbox(const std::string& folder) {
    const char* home = g_get_home_dir();
    if (folder == "/" || folder == "/home" ||
        (home != nullptr && folder == WithoutTrailingSlash(home)) ||
        Contains(folder, WithoutTrailingSlash(g_get_user_runtime_dir()))) {
        return true;
    }
    constexpr std::array<std::string_view, 3> kSystem = {"/proc", "/sys", "/dev"};
    return std::any_of(kSystem.begin(), kSystem.end(), [&folder](std::string_view system) {
        return Contains(std::string(system), folder);
    });
}

bool IsFolder(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

WebKitWebContext* MakeContext(WebStorage storage) {
    WebKitWebContext* context = storage == WebStorage::kPrivate ? webkit_web_context_new_ephemeral()
                                                                : webkit_web_context_get_default();
    webkit_web_context_set_sandbox_enabled(context, TRUE);
    for (const std::string& folder : SandboxFolders()) {
        webkit_web_context_add_path_to_sandbox(context, folder.c_str(), TRUE);
    }
    return context;
}

}  // namespace

WebKitWebContext* WebContextFor(WebStorage storage) {
    // Each is made, its sandbox set up, when its first view is made, before it has a web
    // process. The private one only comes with the first feed item: a second context
    // made beside the show's first page let that page's first frames show white.
    if (storage == WebStorage::kShared) {
        static WebKitWebContext* const shared = MakeContext(WebStorage::kShared);
        return shared;
    }
    static WebKitWebContext* const private_context = MakeContext(WebStorage::kPrivate);
    return private_context;
}

void SetWebSandboxFolders(std::vector<std::string> folders) {
    std::vector<std::string> kept;
    for (std::string& folder : folders) {
        folder = WithoutTrailingSlash(std::move(folder));
        if (!folder.empty() && folder.front() == '/' && !RefusedBySandbox(folder) &&
            IsFolder(folder) && std::find(kept.begin(), kept.end(), folder) == kept.end()) {
            kept.push_back(folder);
        }
    }
    SandboxFolders() = std::move(kept);
}

}  // namespace saver
