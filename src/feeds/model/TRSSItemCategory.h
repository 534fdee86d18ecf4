#pragma once

#include <string>

#include "feeds/model/TCollection.h"

namespace saver {

struct TRSSItemCategory {
    std::string Title;
    std::string Domain;
};

using TRSSItemCategories = TCollection<TRSSItemCategory>;

}  // namespace saver
