#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "aatext/Color.h"

namespace saver {

// A 24-bit bitmap: three bytes per pixel in the order blue, green, red, rows of a length
// rounded up to 4 bytes, the top row first.
class Bitmap24 {
  public:
    Bitmap24() = default;
    Bitmap24(int width, int height) { SetSize(width, height); }

    // Resizes in place; the pixels are undefined afterwards unless the size is unchanged.
    void SetSize(int width, int height);

    int Width() const { return width_; }
    int Height() const { return height_; }
    bool Empty() const { return width_ == 0 || height_ == 0; }
    int RowLength() const { return row_length_; }
    uint8_t* Row(int y) { return data_.data() + static_cast<size_t>(y) * row_length_; }
    const uint8_t* Row(int y) const { return data_.data() + static_cast<size_t>(y) * row_length_; }

    Rgb Pixel(int x, int y) const;
    void SetPixel(int x, int y, Rgb color);
    void Fill(Rgb color);

    // Copies the w x h block at (sx, sy) of src to (dx, dy), clipped to both bitmaps.
    void CopyRect(int dx, int dy, const Bitmap24& src, int sx, int sy, int w, int h);
    // Draws src at (dx, dy) at its own size, clipped.
    void Draw(int dx, int dy, const Bitmap24& src) {
        CopyRect(dx, dy, src, 0, 0, src.width_, src.height_);
    }
    // Draws src stretched over the w x h rectangle at (dx, dy) by nearest pixel.
    void StretchDraw(int dx, int dy, int w, int h, const Bitmap24& src);
    // Covers the whole bitmap with copies of src side by side from the top-left corner.
    void Tile(const Bitmap24& src);

  private:
    int width_ = 0;
    int height_ = 0;
    int row_length_ = 0;
    std::vector<uint8_t> data_;
};

}  // namespace saver
