#include "aatext/bitmap/Bitmap24.h"

#include <algorithm>
#include <cstring>

namespace saver {

Rgb Bitmap24::Pixel(int x, int y) const {
    const uint8_t* p = Row(y) + x * 3;
    return Rgb{p[2], p[1], p[0]};
}

void Bitmap24::SetPixel(int x, int y, Rgb color) {
    uint8_t* p = Row(y) + x * 3;
    p[0] = color.b;
    p[1] = color.g;
    p[2] = color.r;
}

void Bitmap24::Fill(Rgb color) {
    if (Empty()) {
        return;
    }
    uint8_t* first = Row(0);
    for (int x = 0; x < Width(); ++x) {
        first[x * 3] = color.b;
        first[x * 3 + 1] = color.g;
        first[x * 3 + 2] = color.r;
    }
    for (int y = 1; y < Height(); ++y) {
        std::memcpy(Row(y), first, static_cast<size_t>(Width()) * 3);
    }
}

void Bitmap24::CopyRect(int dx, int dy, const Bitmap24& src, int sx, int sy, int w, int h) {
    // Clip against the source, then against this bitmap, moving both corners together.
    const int left = std::max({0, -dx, -sx});
    const int top = std::max({0, -dy, -sy});
    const int right = std::min({w, Width() - dx, src.Width() - sx});
    const int bottom = std::min({h, Height() - dy, src.Height() - sy});
    if (right <= left || bottom <= top) {
        return;
    }
    const size_t bytes = static_cast<size_t>(right - left) * 3;
    for (int y = top; y < bottom; ++y) {
        std::memmove(Row(dy + y) + (dx + left) * 3, src.Row(sy + y) + (sx + left) * 3, bytes);
    }
}

void Bitmap24::StretchDraw(int dx, int dy, int w, int h, const Bitmap24& src) {
    if (w <= 0 || h <= 0 || src.Empty()) {
        return;
    }
    const int x0 = std::max(0, dx);
    const int x1 = std::min(Width(), dx + w);
    for (int y = std::max(0, dy); y < std::min(Height(), dy + h); ++y) {
        const uint8_t* src_row = src.Row(static_cast<int>(int64_t{y - dy} * src.Height() / h));
        uint8_t* row = Row(y);
        for (int x = x0; x < x1; ++x) {
            const uint8_t* s = src_row + int64_t{x - dx} * src.Width() / w * 3;
            std::memcpy(row + x * 3, s, 3);
        }
    }
}

void Bitmap24::Tile(const Bitmap24& src) {
    if (src.Empty()) {
        return;
    }
    for (int y = 0; y < Height(); y += src.Height()) {
        for (int x = 0; x < Width(); x += src.Width()) {
            Draw(x, y, src);
        }
    }
}

}  // namespace saver
