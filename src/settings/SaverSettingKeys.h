#pragma once

#include "settings/TSaverSetting.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <variant>

namespace saver {

// The values a number key may take, both ends included.
struct SettingRange {
    int32_t low;
    int32_t high;
    bool Holds(int64_t value) const { return value >= low && value <= high; }
};

// The page interval's field of the settings dialog offers 1 to 10000 seconds; the feed
// item interval keeps to the same. Both are at least a second, so that no page or item
// changes faster than once a second.
inline constexpr SettingRange kIntervalRange{1, 10000};
inline constexpr SettingRange kOpacityRange{0, 255};
inline constexpr SettingRange kTickerWidthRange{1, 10000};
// 0 Normalize, 1 Shuffle, 2 Intelligent Random: the dialog's three sequence buttons.
inline constexpr SettingRange kSequenceRange{0, 2};

// One key of section "Set": its name, the field it fills and the field's type, and for
// the number keys that have limits, the values they may take.
struct SaverSettingKey {
    std::string_view name;
    std::variant<bool TSaverSetting::*, int32_t TSaverSetting::*, uint8_t TSaverSetting::*,
                 std::string TSaverSetting::*>
        field;
    std::optional<SettingRange> range = std::nullopt;
};

// Every key of section "Set", in the order of the record.
std::span<const SaverSettingKey> SaverSettingKeys();

// The key of section "Set" with that name in any letter case; null when there is none.
const SaverSettingKey* FindSaverSettingKey(std::string_view name);

// A content list and the section of the settings file it is built from.
struct ContentListField {
    std::string_view section;
    ContentList TSaverSetting::*list;
};

// The five content lists in the order start-up builds them.
std::span<const ContentListField> ContentListFields();

}  // namespace saver
