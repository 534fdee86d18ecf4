#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace saver {

// Raised when a text is not the number a field needs.
class EConvertError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// The text without the characters up to the blank (code <= 32) at both ends.
std::string_view TrimBlanks(std::string_view text);
std::string_view TrimLeftBlanks(std::string_view text);

// A whole decimal number with an optional sign and nothing else; nullopt otherwise.
std::optional<int32_t> TryParseInteger(std::string_view text);

// The integer a variant holding `text` converts to: blanks around are allowed, a decimal
// or "$"/"0x" hexadecimal integer, or a decimal fraction rounded half to even. Raises
// EConvertError for anything else, including values outside 32 bits.
int32_t VariantToInteger(std::string_view text);

}  // namespace saver
