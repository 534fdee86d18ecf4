#pragma once

#include "aatext/bitmap/Bitmap24.h"
#include "aatext/bitmap/Color.h"

namespace saver {

class TAAFont;
class TAAMask;

// Paints a colour, or a foreground bitmap of colours, through a coverage mask onto the
// canvas of its owning renderer at a given alpha.
class TAABlend {
  public:
    explicit TAABlend(TAAFont* owner) : owner_(owner) {}

    // The foreground bitmap that BlendBitmap takes its colours from.
    Bitmap24& ForeBitmap() { return fore_; }

    // Alpha is in percent (0..100).
    void BlendColor(int x, int y, const TAAMask& mask, int alpha, TColor color);
    // Throws EInvalidForeBmp unless the foreground bitmap has exactly the mask's size.
    void BlendBitmap(int x, int y, const TAAMask& mask, int alpha);

  private:
    template <typename Source>
    void Blend(int x, int y, const TAAMask& mask, int alpha, Source source);

    TAAFont* owner_;
    Bitmap24 fore_;
};

}  // namespace saver
