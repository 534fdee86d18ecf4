// The saver settings file and everything read from it at start-up: the dialect, the
// keys, the feed list and the content lists (without a package, so nothing is unpacked).

#include "settings/ContentResolver.h"
#include "settings/IniFile.h"
#include "settings/SaverSettingKeys.h"
#include "settings/SaverSettingsFile.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace saver;
    IniFile file = IniFile::Parse(std::string_view(reinterpret_cast<const char*>(data), size));
    TSaverSetting record;
    ReadSettingKeys(file, record);
    record.FeedList = BuildFeedList(file);
    ContentResolver content({false, "/nonexistent/work/", "/nonexistent/exe/", "/nonexistent/s/"},
                            nullptr);
    for (const ContentListField& field : ContentListFields()) {
        content.BuildContentLists(file, std::string(field.section), record.*field.list);
        for (std::string item : record.*field.list) {
            content.ResolveContentItem(item);
        }
    }
    IniFile::Parse(file.Text());
    return 0;
}
