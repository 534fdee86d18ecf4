#pragma once

#include <stdexcept>

namespace saver {

// A foreground bitmap that does not fit the mask it is blended through.
class EInvalidForeBmp : public std::runtime_error {
  public:
    EInvalidForeBmp() : std::runtime_error("Invalid foreground bitmap!") {}
};

}  // namespace saver
