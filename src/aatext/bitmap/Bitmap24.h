#pragma once

#include "aatext/bitmap/Color.h"
#include "aatext/bitmap/RowBuffer.h"

namespace saver {

// A 24-bit bitmap: three bytes per pixel in the order blue, green, red, rows of a length
// rounded up to 4 bytes, the top row first.
class Bitmap24 : public RowBuffer<3> {
  public:
    using RowBuffer::RowBuffer;

    Rgb Pixel(int x, int y) const;
    void SetPixel(int x, int y, Rgb color);
    void Fill(Rgb color);

    // Copies the w x h block at (sx, sy) of src to (dx, dy), clipped to both bitmaps.
    void CopyRect(int dx, int dy, const Bitmap24& src, int sx, int sy, int w, int h);
    // Draws src at (dx, dy) at its own size, clipped.
    void Draw(int dx, int dy, const Bitmap24& src) {
        CopyRect(dx, dy, src, 0, 0, src.Width(), src.Height());
    }
    // Draws src stretched over the w x h rectangle at (dx, dy) by nearest pixel.
    void StretchDraw(int dx, int dy, int w, int h, const Bitmap24& src);
    // Covers the whole bitmap with copies of src side by side from the top-left corner.
    void Tile(const Bitmap24& src);
};

}  // namespace saver
