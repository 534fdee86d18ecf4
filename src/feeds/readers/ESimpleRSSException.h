#pragma once

#include <stdexcept>

namespace saver {

// The error the feed component and its readers raise, with a fixed English message.
class ESimpleRSSException : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

}  // namespace saver
