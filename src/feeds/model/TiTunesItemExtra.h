#pragma once

#include <string>

#include "feeds/model/TiTunesDuration.h"
#include "feeds/model/TiTunesExtra.h"

namespace saver {

// The podcast data of an item.
struct TiTunesItemExtra : TiTunesExtra {
    std::string Author;
    TiTunesDuration Duration;
};

}  // namespace saver
