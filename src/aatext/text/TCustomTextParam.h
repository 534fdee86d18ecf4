#pragma once

#include <string>
#include <vector>

#include "aatext/effects/TAAEffect.h"
#include "aatext/text/TCustomParam.h"

namespace saver {

// The parameters of a control that lays out styled lines.
class TCustomTextParam : public TCustomParam {
  public:
    explicit TCustomTextParam(TAAGraphicControl& control);

    const std::vector<std::string>& Lines() const { return lines_; }
    // Replaces all lines at once: one change, one rebuild.
    void SetLines(std::vector<std::string> lines);
    TLabelEffect LabelEffect() const { return label_effect_; }
    void SetLabelEffect(TLabelEffect value);
    int16_t RowPitch() const { return row_pitch_; }
    // Clamped to -100..150.
    void SetRowPitch(int value);
    TAAEffect& FontEffect() { return font_effect_; }
    const TAAEffect& FontEffect() const { return font_effect_; }

  private:
    std::vector<std::string> lines_;
    TLabelEffect label_effect_ = leUntilNextLabel;
    int16_t row_pitch_ = 20;
    TAAEffect font_effect_;
};

}  // namespace saver
