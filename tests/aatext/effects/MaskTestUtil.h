#pragma once

#include <vector>

#include "aatext/font/TAAMask.h"

namespace saver::test {

// A mask filled row by row from the given values.
inline TAAMask MakeMask(int width, int height, const std::vector<int>& values) {
    TAAMask mask(nullptr);
    mask.SetSize(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            mask.MaskRow(y)[x] = static_cast<uint8_t>(values[static_cast<size_t>(y) * width + x]);
        }
    }
    return mask;
}

inline std::vector<int> MaskValues(const TAAMask& mask) {
    std::vector<int> values;
    for (int y = 0; y < mask.Height(); ++y) {
        for (int x = 0; x < mask.Width(); ++x) {
            values.push_back(mask.MaskRow(y)[x]);
        }
    }
    return values;
}

}  // namespace saver::test
