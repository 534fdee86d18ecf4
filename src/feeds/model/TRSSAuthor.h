#pragma once

#include <string>

namespace saver {

struct TRSSAuthor {
    std::string Name;
    std::string EMail;
    std::string URL;
};

}  // namespace saver
