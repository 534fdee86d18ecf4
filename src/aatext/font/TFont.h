#pragma once

#include <cstdint>
#include <string>

#include "aatext/bitmap/Color.h"

namespace saver {

constexpr int FW_NORMAL = 400;
constexpr int FW_BOLD = 700;

// The logical description of a font: what the font engine resolves into a real face.
struct TFont {
    std::string Name = "Arial";
    int Height = 13;  // character height (em size) in pixels
    int Width = 0;    // horizontal em size in pixels; 0 keeps the face's proportions
    int Weight = FW_NORMAL;
    bool Italic = false;
    uint8_t Charset = 1;  // kept for completeness; the engine chooses faces by name
    int Escapement = 0;   // rotation of the baseline, tenths of a degree counter-clockwise
    TColor Color = clWindowText;

    bool Bold() const { return Weight >= 600; }
    bool operator==(const TFont&) const = default;
};

}  // namespace saver
