#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace saver {

// An 8-bit bitmap: one byte per pixel, rows of a length rounded up to 4 bytes. The
// supersampling surface of the text renderer; its values are indexes into the grey
// palette, so 0 is black and 255 white.
class Bitmap8 {
  public:
    Bitmap8() = default;
    Bitmap8(int width, int height) { SetSize(width, height); }

    // Resizes and clears every pixel to 0. Storage is reused when it is large enough.
    void SetSize(int width, int height);

    int Width() const { return width_; }
    int Height() const { return height_; }
    int RowLength() const { return row_length_; }
    uint8_t* Row(int y) { return data_.data() + static_cast<size_t>(y) * row_length_; }
    const uint8_t* Row(int y) const { return data_.data() + static_cast<size_t>(y) * row_length_; }

  private:
    int width_ = 0;
    int height_ = 0;
    int row_length_ = 0;
    std::vector<uint8_t> data_;
};

}  // namespace saver
