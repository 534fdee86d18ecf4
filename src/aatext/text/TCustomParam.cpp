#include "aatext/text/TCustomParam.h"

#include "aatext/effects/SetProperty.h"

namespace saver {

TCustomParam::TCustomParam(TAAGraphicControl& control) : control_(control) {
    background_.OnChange = [this] { Changed(); };
}

void TCustomParam::SetAlignment(TAlignment value) {
    SetProperty(*this, alignment_, value);
}
void TCustomParam::SetWordWrap(bool value) {
    SetProperty(*this, word_wrap_, value);
}
void TCustomParam::SetBackGroundMode(TBackGroundMode value) {
    SetProperty(*this, background_mode_, value);
}

}  // namespace saver
