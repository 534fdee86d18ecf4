#pragma once

#include <stdexcept>

namespace saver {

// A mask row outside the mask was asked for.
class EInvalidLine : public std::runtime_error {
  public:
    EInvalidLine() : std::runtime_error("Invalid line!") {}
};

}  // namespace saver
