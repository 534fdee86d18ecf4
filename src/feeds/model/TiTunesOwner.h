#pragma once

#include <string>

namespace saver {

struct TiTunesOwner {
    std::string Name;
    std::string EmailAddress;
};

}  // namespace saver
