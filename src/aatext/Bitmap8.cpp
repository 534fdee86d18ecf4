#include "aatext/Bitmap8.h"

#include <algorithm>

namespace saver {

void Bitmap8::SetSize(int width, int height) {
    width_ = std::max(width, 0);
    height_ = std::max(height, 0);
    row_length_ = (width_ + 3) & ~3;
    data_.assign(static_cast<size_t>(row_length_) * height_, 0);
}

}  // namespace saver
