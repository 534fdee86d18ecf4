#pragma once

#include <cstdint>
#include <string>

namespace saver {

// The channel image's size and description. The size is kept within what feed readers
// show: width 0..144, height 0..400.
class TRSSImageOpt {
  public:
    int32_t Width() const { return width_; }
    void SetWidth(int32_t width);
    int32_t Height() const { return height_; }
    void SetHeight(int32_t height);

    std::string Description;

  private:
    int32_t width_ = 0;
    int32_t height_ = 0;
};

}  // namespace saver
