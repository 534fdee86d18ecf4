#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace saver {

// Pixels of BytesPerPixel bytes in rows whose length is rounded up to 4 bytes, the top
// row first: the layout of every bitmap and mask of the text renderer.
template <int BytesPerPixel>
class RowBuffer {
  public:
    RowBuffer() = default;
    RowBuffer(int width, int height) { SetSize(width, height); }

    // Resizes in place. Pixels that are new are 0; the others keep their bytes, so the
    // content is undefined after a change of width.
    void SetSize(int width, int height) {
        width_ = std::max(width, 0);
        height_ = std::max(height, 0);
        row_length_ = (width_ * BytesPerPixel + 3) & ~3;
        data_.resize(static_cast<size_t>(row_length_) * height_);
    }
    void Clear() { std::fill(data_.begin(), data_.end(), 0); }

    int Width() const { return width_; }
    int Height() const { return height_; }
    bool Empty() const { return width_ == 0 || height_ == 0; }
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
