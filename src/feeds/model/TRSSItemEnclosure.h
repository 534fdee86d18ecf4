#pragma once

#include <cstdint>
#include <string>

namespace saver {

// A media file attached to an item: its address, size in bytes and media type.
struct TRSSItemEnclosure {
    std::string URL;
    int32_t Length = 0;
    std::string EnclosureType;
    bool Include = false;
};

}  // namespace saver
