#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace saver {

// A podcast episode's length.
struct TiTunesDuration {
    int32_t Hour = 0;
    int32_t Minute = 0;
    int32_t Second = 0;

    // "H:M:SS": hour and minute unpadded, the second padded to two digits ("1:5:07").
    std::string Duration() const;
    // Reads "H:M:S"; raises EConvertError when a part is not a number.
    void SetDuration(std::string_view text);
};

}  // namespace saver
