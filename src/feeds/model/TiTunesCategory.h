#pragma once

#include <string>

namespace saver {

struct TiTunesCategory {
    std::string Category;
    std::string SubCategory;
};

}  // namespace saver
