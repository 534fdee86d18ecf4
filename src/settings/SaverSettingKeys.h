#pragma once

#include "settings/TSaverSetting.h"

#include <cstdint>
#include <span>
#include <string_view>
#include <variant>

namespace saver {

// One key of section "Set": its name, the field it fills and the field's type.
struct SaverSettingKey {
    std::string_view name;
    std::variant<bool TSaverSetting::*, int32_t TSaverSetting::*, uint8_t TSaverSetting::*,
                 std::string TSaverSetting::*>
        field;
};

// Every key of section "Set", in the order of the record.
std::span<const SaverSettingKey> SaverSettingKeys();

// A content list and the section of the settings file it is built from.
struct ContentListField {
    std::string_view section;
    ContentList TSaverSetting::*list;
};

// The five content lists in the order start-up builds them.
std::span<const ContentListField> ContentListFields();

}  // namespace saver
