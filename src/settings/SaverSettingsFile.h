#pragma once

#include "settings/IniFile.h"
#include "settings/TSaverSetting.h"

#include <string>
#include <vector>

namespace saver {

// The feed list: the keys of section "feeds" in file order, less those whose feed has no
// address or is switched off in "usefeed". A key like "News [Sport]" is checked under
// its bare name "News" and stays in the list whole.
std::vector<std::string> BuildFeedList(const IniFile& file);

// Fills every field of section "Set" from the file, or from its default.
void ReadSettingKeys(const IniFile& file, TSaverSetting& record);

// Writes the record's values back into section "Set" (all but Author, Website, ScrEmail
// and the "Build_" keys, which nothing changes) and rewrites the file at `path`. A file
// that cannot be written stays as it was; the result says whether it was written.
bool SaveSaverSettings(const TSaverSetting& record, IniFile& file, const std::string& path);

}  // namespace saver
