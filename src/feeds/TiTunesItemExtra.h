#pragma once

#include <string>

#include "feeds/TiTunesDuration.h"
#include "feeds/TiTunesExtra.h"

namespace saver {

// The podcast data of an item.
struct TiTunesItemExtra : TiTunesExtra {
    std::string Author;
    TiTunesDuration Duration;
};

}  // namespace saver
