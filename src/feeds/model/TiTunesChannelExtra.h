#pragma once

#include <string>

#include "feeds/model/TiTunesExtra.h"
#include "feeds/model/TiTunesOwner.h"

namespace saver {

// The podcast data of a channel.
struct TiTunesChannelExtra : TiTunesExtra {
    TiTunesOwner Owner;
    std::string Author;
    std::string Image;
};

}  // namespace saver
