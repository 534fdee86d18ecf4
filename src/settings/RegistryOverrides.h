#pragma once

#include "platform/Registry.h"
#include "settings/TSaverSetting.h"

#include <string>

namespace saver {

// The key of the user's own choices for one saver file: "\Software\Quillmont\" + the
// executable's file name with its extension.
std::string UserSettingsKey(const std::string& executable_file_name);

// Reads the user's values over the record, in a fixed order, stopping at the first value
// that is not a 32-bit integer. A missing key or value leaves the file's value in place.
void ApplyRegistryOverrides(const Registry& registry, const std::string& key,
                            TSaverSetting& record);

// Writes the values the settings dialog shows (plus WebOffline and WebHideScrollBar).
// Stops at the first value that cannot be stored and then returns false.
bool SaveRegistryOverrides(Registry& registry, const std::string& key, const TSaverSetting& record);

}  // namespace saver
