#pragma once

#include <string>

#include "feeds/model/TCollection.h"

namespace saver {

struct TRSSChannelCategory {
    std::string Category;
    std::string Domain;
};

using TRSSChannelCategories = TCollection<TRSSChannelCategory>;

}  // namespace saver
