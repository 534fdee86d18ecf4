#pragma once

#include <stdexcept>
#include <string>

namespace saver {

// A failure of the MPEG audio library or of its use, with the library's error code.
// Codes 1 to 5 are the library's own; 0 means the library is not loaded, 254 that no
// stream was named, -1 that the library file could not be loaded.
constexpr int kCantLoadCode = -1;
constexpr int kNoStreamCode = 254;

class TMPEGError : public std::runtime_error {
  public:
    TMPEGError(const std::string& message, int code) : std::runtime_error(message), code_(code) {}
    int Code() const { return code_; }

  private:
    int code_;
};

}  // namespace saver
