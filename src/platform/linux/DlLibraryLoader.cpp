#include "platform/linux/DlLibraryLoader.h"

#include <dlfcn.h>

#include "platform/linux/DlLoadedLibrary.h"
#include "platform/linux/TrustedFile.h"

namespace saver {

std::unique_ptr<LoadedLibrary> DlLibraryLoader::Load(const std::string& path) {
    if (path.empty() || path.front() != '/') {
        return nullptr;
    }
    // Code is never taken from a file that another user could have put or changed there.
    if (!IsTrustedCodeFile(path)) {
        return nullptr;
    }
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    return handle ? std::make_unique<DlLoadedLibrary>(handle) : nullptr;
}

}  // namespace saver
