#pragma once

#include <string>
#include <string_view>

namespace saver {

// Decodes base64 text of the MIME alphabet with "=" padding, taken exactly as it is: a
// length that is not a multiple of 4, or any character outside the alphabet (line breaks
// and blanks included), raises EConvertError.
std::string DecodeBase64(std::string_view text);

}  // namespace saver
