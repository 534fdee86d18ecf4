#include "feeds/model/TRSSImageOpt.h"

#include <algorithm>

namespace saver {

void TRSSImageOpt::SetWidth(int32_t width) {
    width_ = std::clamp(width, 0, 144);
}

void TRSSImageOpt::SetHeight(int32_t height) {
    height_ = std::clamp(height, 0, 400);
}

}  // namespace saver
