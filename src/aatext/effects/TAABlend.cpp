#include "aatext/effects/TAABlend.h"

#include <algorithm>

#include "aatext/effects/EInvalidForeBmp.h"
#include "aatext/font/TAAFont.h"

namespace saver {

namespace {

inline uint8_t Mix(int p, int s, int w) {
    return static_cast<uint8_t>(p + (((s - p) * w) >> 8));
}

}  // namespace

// The box at (x, y) takes, per pixel, the target's pixel when the brush is clear or the
// brush colour when it is solid, mixed towards the source colour by the mask weight. This
// is the result of filling a work bitmap, blending into it and copying it back, without
// the copies.
template <typename Source>
void TAABlend::Blend(int x, int y, const TAAMask& mask, int alpha, Source source) {
    TCanvas* canvas = owner_->Canvas();
    if (canvas == nullptr || canvas->Bitmap == nullptr) {
        return;
    }
    Bitmap24& target = *canvas->Bitmap;
    const bool solid = canvas->Brush.Style == bsSolid;
    const Rgb brush = ColorToRgb(canvas->Brush.Color);
    const int a = std::clamp(alpha, 0, 100) * 256 / 100;
    const int x0 = std::max(0, -x);
    const int x1 = std::min(mask.Width(), target.Width() - x);
    for (int my = std::max(0, -y); my < std::min(mask.Height(), target.Height() - y); ++my) {
        const uint8_t* m = mask.MaskRow(my);
        uint8_t* t = target.Row(y + my);
        for (int mx = x0; mx < x1; ++mx) {
            uint8_t* p = t + (x + mx) * 3;
            if (solid) {
                p[0] = brush.b;
                p[1] = brush.g;
                p[2] = brush.r;
            }
            const int w = (m[mx] * a) >> 8;
            if (w == 0) {
                continue;
            }
            const Rgb s = source(mx, my);
            if (w == 255) {
                p[0] = s.b;
                p[1] = s.g;
                p[2] = s.r;
            } else {
                p[0] = Mix(p[0], s.b, w);
                p[1] = Mix(p[1], s.g, w);
                p[2] = Mix(p[2], s.r, w);
            }
        }
    }
}

void TAABlend::BlendColor(int x, int y, const TAAMask& mask, int alpha, TColor color) {
    const Rgb rgb = ColorToRgb(color);
    Blend(x, y, mask, alpha, [rgb](int, int) { return rgb; });
}

void TAABlend::BlendBitmap(int x, int y, const TAAMask& mask, int alpha) {
    if (fore_.Width() != mask.Width() || fore_.Height() != mask.Height()) {
        throw EInvalidForeBmp();
    }
    Blend(x, y, mask, alpha, [this](int mx, int my) { return fore_.Pixel(mx, my); });
}

}  // namespace saver
