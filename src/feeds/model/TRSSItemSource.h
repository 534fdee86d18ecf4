#pragma once

#include <string>

namespace saver {

// The feed an item was taken from.
struct TRSSItemSource {
    std::string Title;
    std::string URL;
    bool Include = false;
};

}  // namespace saver
