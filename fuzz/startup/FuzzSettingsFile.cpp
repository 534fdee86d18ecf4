// The saver settings file and everything read from it at start-up: the dialect, the
// keys, the feed list and the content lists (without a package, so nothing is unpacked),
// in every encoding the reader knows. Mutations seldom come upon a byte-order mark, so a
// first byte 1, 2 or 3 stands for the mark of UTF-8, UTF-16 LE or UTF-16 BE before the
// rest; any other input is read as it is.

#include "settings/ContentResolver.h"
#include "settings/IniFile.h"
#include "settings/SaverSettingKeys.h"
#include "settings/SaverSettingsFile.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

std::string WithMark(std::string_view input) {
    constexpr std::string_view kMarks[] = {"\xEF\xBB\xBF", "\xFF\xFE", "\xFE\xFF"};
    if (!input.empty() && input.front() >= 1 && input.front() <= 3) {
        return std::string(kMarks[input.front() - 1]).append(input.substr(1));
    }
    return std::string(input);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace saver;
    IniFile file =
        IniFile::Parse(WithMark(std::string_view(reinterpret_cast<const char*>(data), size)));
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
    // Written back, the file is read in the encoding it came in. (Windows-1252 is the
    // exception: without the bytes that made it so, such as a dropped comment, the text
    // may now be valid UTF-8.)
    IniFile again = IniFile::Parse(file.Bytes());
    if (file.Encoding() != TextEncoding::Windows1252 && again.Encoding() != file.Encoding()) {
        __builtin_trap();
    }
    return 0;
}
