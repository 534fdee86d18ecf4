#include "aatext/effects/MaskFilters.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

namespace saver {

namespace {

// A plain copy of the mask's pixels, rows of Width bytes.
class MaskCopy {
  public:
    explicit MaskCopy(const TAAMask& mask) : width_(mask.Width()) {
        pixels_.resize(static_cast<size_t>(mask.Width()) * mask.Height());
        for (int y = 0; y < mask.Height(); ++y) {
            std::copy_n(mask.MaskRow(y), width_,
                        pixels_.begin() + static_cast<ptrdiff_t>(y) * width_);
        }
    }
    int At(int x, int y) const { return pixels_[static_cast<size_t>(y) * width_ + x]; }

  private:
    int width_;
    std::vector<uint8_t> pixels_;
};

}  // namespace

void OutlineMask(TAAMask& mask) {
    if (mask.Height() < 3) {
        return;
    }
    const MaskCopy p(mask);
    for (int y = 1; y < mask.Height() - 1; ++y) {
        uint8_t* row = mask.MaskRow(y);
        for (int x = 1; x < mask.Width() - 1; ++x) {
            const int s = std::abs(p.At(x + 1, y + 1) - p.At(x - 1, y - 1)) +
                          std::abs(p.At(x, y + 1) - p.At(x, y - 1)) +
                          std::abs(p.At(x + 1, y) - p.At(x - 1, y)) +
                          std::abs(p.At(x - 1, y + 1) - p.At(x + 1, y - 1));
            row[x] = static_cast<uint8_t>(s < 1024 ? s / 4 : 255);
        }
    }
}

void SprayMask(TAAMask& mask, int radius, EffectRandom& random) {
    const int w = mask.Width();
    const int h = mask.Height();
    for (int y = 0; y < h; ++y) {
        uint8_t* row = mask.MaskRow(y);
        for (int x = 0; x < w; ++x) {
            const int d = random.Below(radius + 1);
            const int sx = std::clamp(x + d - random.Below(2 * d), 0, w - 1);
            const int sy = std::clamp(y + d - random.Below(2 * d), 0, h - 1);
            row[x] = mask.MaskRow(sy)[sx];
        }
    }
}

void BlurMask(TAAMask& mask, int strength) {
    const int w = mask.Width();
    const int h = mask.Height();
    const int k = static_cast<int>(std::nearbyint(strength * 255 / 100.0));
    const MaskCopy p(mask);
    for (int y = 0; y < h; ++y) {
        uint8_t* row = mask.MaskRow(y);
        for (int x = 0; x < w; ++x) {
            int sum = 0;
            for (int dy = -2; dy <= 2; ++dy) {
                const int cy = std::clamp(y + dy, 0, h - 1);
                for (int dx = -2; dx <= 2; ++dx) {
                    sum += p.At(std::clamp(x + dx, 0, w - 1), cy);
                }
            }
            // sum / 25 to the nearest integer; 25 is odd, so there is never a tie.
            const int b = sum / 25 + (sum % 25 * 2 > 25 ? 1 : 0);
            const int old = row[x];
            row[x] = static_cast<uint8_t>(k == 255 ? b : old + (((b - old) * k) >> 8));
        }
    }
}

void MirrorMaskRows(TAAMask& mask) {
    for (int y = 0; y < mask.Height(); ++y) {
        uint8_t* row = mask.MaskRow(y);
        std::reverse(row, row + mask.Width());
    }
}

void FlipMaskRows(TAAMask& mask) {
    for (int top = 0, bottom = mask.Height() - 1; top < bottom; ++top, --bottom) {
        std::swap_ranges(mask.MaskRow(top), mask.MaskRow(top) + mask.Width(), mask.MaskRow(bottom));
    }
}

}  // namespace saver
