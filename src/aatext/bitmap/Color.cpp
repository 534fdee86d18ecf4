#include "aatext/bitmap/Color.h"

#include <array>

namespace saver {

namespace {

// The system colours by index (COLOR_SCROLLBAR = 0 .. COLOR_MENUBAR = 30), with the
// values of the standard desktop scheme.
constexpr std::array<TColor, 31> kSystemColors = {
    0xC8C8C8, 0x000000, 0xD1B499, 0xDBCDBF, 0xF0F0F0, 0xFFFFFF, 0x646464, 0x000000,
    0x000000, 0x000000, 0xB4B4B4, 0xFCF7F4, 0xABABAB, 0xFF9933, 0xFFFFFF, 0xF0F0F0,
    0xA0A0A0, 0x6D6D6D, 0x000000, 0x544E43, 0xFFFFFF, 0x696969, 0xE3E3E3, 0x000000,
    0xE1FFFF, 0x000000, 0xCC6600, 0xEAD1B9, 0xF2E4D7, 0xFF9933, 0xF0F0F0};

}  // namespace

Rgb ColorToRgb(TColor color) {
    if ((color & 0xFF000000) == 0x80000000) {
        const uint32_t index = color & 0xFF;
        color = index < kSystemColors.size() ? kSystemColors[index] : clBlack;
    }
    return Rgb{static_cast<uint8_t>(color & 0xFF), static_cast<uint8_t>(color >> 8 & 0xFF),
               static_cast<uint8_t>(color >> 16 & 0xFF)};
}

}  // namespace saver
