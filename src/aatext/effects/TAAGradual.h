#pragma once

#include "aatext/bitmap/Color.h"
#include "aatext/effects/TEnabledClass.h"

namespace saver {

enum TGradualStyle {
    gsLeftToRight,
    gsRightToLeft,
    gsTopToBottom,
    gsBottomToTop,
    gsCenterToLR,
    gsCenterToTB
};

// The colour gradient of a text effect.
class TAAGradual : public TEnabledClass {
  public:
    using TEnabledClass::TEnabledClass;

    TGradualStyle Style() const { return style_; }
    TColor StartColor() const { return start_color_; }
    TColor EndColor() const { return end_color_; }

    void SetStyle(TGradualStyle value);
    void SetStartColor(TColor value);
    void SetEndColor(TColor value);

    // Copies every property; reports no change.
    void Assign(const TAAGradual& other);

  private:
    TGradualStyle style_ = gsLeftToRight;
    TColor start_color_ = 16777215;
    TColor end_color_ = 0;
};

}  // namespace saver
