#pragma once

#include <cstdint>
#include <string>

#include "aatext/bitmap/Bitmap8.h"
#include "aatext/bitmap/RowBuffer.h"
#include "aatext/font/TAAQuality.h"

namespace saver {

class TAAFont;

// The 8-bit coverage mask of a string: one byte per pixel, 0 = no ink, 255 = full ink.
// Rows are Width rounded up to 4 bytes long. The storage grows as needed and is reused.
class TAAMask {
  public:
    explicit TAAMask(TAAFont* owner) : owner_(owner) {}

    TAAQuality Quality() const { return quality_; }
    void SetQuality(TAAQuality quality) { quality_ = quality; }
    int Scale() const { return QualityScale(quality_); }

    int Width() const { return pixels_.Width(); }
    int Height() const { return pixels_.Height(); }
    int RowLength() const { return pixels_.RowLength(); }

    // Row y; throws EInvalidLine for y outside 0 .. Height - 1.
    uint8_t* MaskRow(int y);
    const uint8_t* MaskRow(int y) const;

    // Resizes the mask; every pixel becomes 0.
    void SetSize(int width, int height);

    // Sizes the mask to the string's extent under the owner's canvas font (no effects)
    // and fills it with the string's coverage. Without a canvas nothing happens.
    void RenderText(const std::string& text);

    // Fills the mask from a supersampling surface of at least Scale() times its size.
    void Reduce(const Bitmap8& surface);

  private:
    TAAFont* owner_;
    TAAQuality quality_ = aqNormal;
    RowBuffer<1> pixels_;
};

}  // namespace saver
