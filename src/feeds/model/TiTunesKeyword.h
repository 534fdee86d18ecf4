#pragma once

#include <string>

#include "feeds/model/TCollection.h"

namespace saver {

struct TiTunesKeyword {
    std::string Value;
};

using TiTunesKeywords = TCollection<TiTunesKeyword>;

}  // namespace saver
