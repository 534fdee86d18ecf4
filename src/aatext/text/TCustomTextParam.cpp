#include "aatext/text/TCustomTextParam.h"

#include "aatext/effects/SetProperty.h"

namespace saver {

TCustomTextParam::TCustomTextParam(TAAGraphicControl& control)
    : TCustomParam(control), lines_{"<Center>Styled text", "anti-aliased and scrolling"} {
    Adopt(font_effect_);
}

void TCustomTextParam::SetLines(std::vector<std::string> lines) {
    lines_ = std::move(lines);
    Changed();
}

void TCustomTextParam::SetLabelEffect(TLabelEffect value) {
    SetProperty(*this, label_effect_, value);
}

void TCustomTextParam::SetRowPitch(int value) {
    SetRangedProperty(*this, row_pitch_, value, -100, 150);
}

}  // namespace saver
