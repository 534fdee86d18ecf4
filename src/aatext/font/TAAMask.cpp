#include "aatext/font/TAAMask.h"

#include <algorithm>

#include "aatext/font/EInvalidLine.h"
#include "aatext/font/TAAFont.h"

namespace saver {

namespace {

// One mask pixel from the N x N block whose top-left surface pixel is at (x, y).
uint8_t ReduceHigh(const Bitmap8& s, int x, int y) {
    int sum = 0;
    for (int r = 0; r < 4; ++r) {
        const uint8_t* row = s.Row(y + r) + x;
        sum += row[0] + row[1] + row[2] + row[3];
    }
    return static_cast<uint8_t>(sum >> 4);
}

// Weights 1 1 1/2, 1 1 1, 1/2 1 1; a half weight halves the value rounding down.
uint8_t ReduceNormal(const Bitmap8& s, int x, int y) {
    const uint8_t* r0 = s.Row(y) + x;
    const uint8_t* r1 = s.Row(y + 1) + x;
    const uint8_t* r2 = s.Row(y + 2) + x;
    const int sum =
        r0[0] + r0[1] + (r0[2] >> 1) + r1[0] + r1[1] + r1[2] + (r2[0] >> 1) + r2[1] + r2[2];
    return static_cast<uint8_t>(sum >> 3);
}

uint8_t ReduceLow(const Bitmap8& s, int x, int y) {
    const uint8_t* r0 = s.Row(y) + x;
    const uint8_t* r1 = s.Row(y + 1) + x;
    return static_cast<uint8_t>((r0[0] + r0[1] + r1[0] + r1[1]) >> 2);
}

uint8_t ReduceNone(const Bitmap8& s, int x, int y) {
    return s.Row(y)[x];
}

}  // namespace

uint8_t* TAAMask::MaskRow(int y) {
    if (y < 0 || y >= Height()) {
        throw EInvalidLine();
    }
    return pixels_.Row(y);
}

const uint8_t* TAAMask::MaskRow(int y) const {
    return const_cast<TAAMask*>(this)->MaskRow(y);
}

void TAAMask::SetSize(int width, int height) {
    pixels_.SetSize(width, height);
    pixels_.Clear();
}

void TAAMask::Reduce(const Bitmap8& surface) {
    using Reducer = uint8_t (*)(const Bitmap8&, int, int);
    static constexpr Reducer kReducers[] = {ReduceNone, ReduceLow, ReduceNormal, ReduceHigh};
    const Reducer reduce = kReducers[quality_];
    const int n = Scale();
    for (int y = 0; y < Height(); ++y) {
        uint8_t* row = pixels_.Row(y);
        for (int x = 0; x < Width(); ++x) {
            row[x] = reduce(surface, x * n, y * n);
        }
    }
}

void TAAMask::RenderText(const std::string& text) {
    if (owner_ == nullptr || owner_->Canvas() == nullptr) {
        return;
    }
    Point origin;
    const Size extent = owner_->BaseExtent(text, &origin);
    SetSize(extent.cx, extent.cy);
    const int n = Scale();
    Bitmap8 surface(extent.cx * n, extent.cy * n);
    owner_->Engine().Draw(owner_->Canvas()->Font, n, text, surface, origin.x * n, origin.y * n);
    Reduce(surface);
}

}  // namespace saver
