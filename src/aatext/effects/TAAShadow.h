#pragma once

#include <cstdint>

#include "aatext/bitmap/Color.h"
#include "aatext/effects/TEnabledClass.h"

namespace saver {

// The drop shadow of a text effect.
class TAAShadow : public TEnabledClass {
  public:
    using TEnabledClass::TEnabledClass;

    uint8_t Blur() const { return blur_; }
    uint8_t Alpha() const { return alpha_; }
    TColor Color() const { return color_; }
    int8_t OffsetX() const { return offset_x_; }
    int8_t OffsetY() const { return offset_y_; }

    // Values outside the property's range (strength and alpha 0..100, offsets -20..20)
    // are clamped into it.
    void SetBlur(int value);
    void SetAlpha(int value);
    void SetColor(TColor value);
    void SetOffsetX(int value);
    void SetOffsetY(int value);

    // Copies every property; reports no change.
    void Assign(const TAAShadow& other);

  private:
    uint8_t blur_ = 80;
    uint8_t alpha_ = 70;
    TColor color_ = 4473924;
    int8_t offset_x_ = 2;
    int8_t offset_y_ = 2;
};

}  // namespace saver
