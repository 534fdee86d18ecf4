#include "startup/PasswordChange.h"

namespace saver {

int64_t ChangeSaverPassword(LibraryLoader& loader, const std::string& system_folder,
                            int32_t window_handle) {
    std::string folder = system_folder;
    if (!folder.empty() && folder.back() != '/') {
        folder += '/';
    }
    std::unique_ptr<LoadedLibrary> library = loader.Load(folder + kPasswordLibraryName);
    if (!library) {
        return -1;
    }
    auto change =
        reinterpret_cast<PwdChangePasswordFunction>(library->Symbol("PwdChangePasswordA"));
    if (change == nullptr) {
        return -1;
    }
    return change("SCRSAVE", window_handle, 0, 0);
}

}  // namespace saver
