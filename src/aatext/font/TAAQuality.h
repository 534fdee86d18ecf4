#pragma once

namespace saver {

// Anti-aliasing quality: the supersampling factor N is 1, 2, 3 or 4.
enum TAAQuality { aqNone, aqLow, aqNormal, aqHigh };

constexpr int QualityScale(TAAQuality quality) {
    return static_cast<int>(quality) + 1;
}

}  // namespace saver
