#pragma once

#include "platform/LibraryLoader.h"

#include <cstdint>
#include <string>

namespace saver {

// The system's screen-saver password dialog: the library's "PwdChangePasswordA" export,
// called as (provider "SCRSAVE", owner window, 0, 0).
using PwdChangePasswordFunction = uint32_t (*)(const char* provider, int64_t owner_window,
                                               uint32_t reserved1, uint32_t reserved2);

// The password library's file in the system folder.
inline constexpr const char* kPasswordLibraryName = "libmpr.so";

// Hands the password change to the system's dialog for the owner `window_handle`.
// Returns the dialog's result, or -1 when there is no such library or function.
int64_t ChangeSaverPassword(LibraryLoader& loader, const std::string& system_folder,
                            int32_t window_handle);

}  // namespace saver
