#pragma once

#include <cstdint>

namespace saver {

// A colour value as the system stores it: 0x00BBGGRR, or a system colour when the high
// byte is 0x80 (the low byte is then the index of the system colour).
using TColor = uint32_t;

struct Rgb {
    uint8_t r = 0;
    uint8_t g = 0;
    uint8_t b = 0;
    bool operator==(const Rgb&) const = default;
};

constexpr TColor clBlack = 0x000000;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clWindowText = 0x80000008;

// Resolves a colour value into red, green and blue; system colours take the classic
// desktop scheme's values, an unknown system colour index gives black.
Rgb ColorToRgb(TColor color);

constexpr TColor RgbToColor(uint8_t r, uint8_t g, uint8_t b) {
    return static_cast<TColor>(r) | static_cast<TColor>(g) << 8 | static_cast<TColor>(b) << 16;
}

}  // namespace saver
