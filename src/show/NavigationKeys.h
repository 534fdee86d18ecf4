#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "settings/TSaverSetting.h"

namespace saver {

// The page a navigation key asks for: none, the next in play order, or a given item.
struct PageRequest {
    bool show = false;
    std::optional<std::string> item;  // empty: the next page in play order
};

// Carries out a navigation key (Pause, Page Up/Down, End, Home, Insert, Delete) on the
// Web list and the play order: Delete removes the item showing `current_page`, Insert
// switches between list order and random order. Returns the page to show.
PageRequest NavigationKey(uint32_t key_code, const std::string& current_page, ContentList& web,
                          uint8_t& web_sequence);

}  // namespace saver
