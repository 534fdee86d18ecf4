#include "aatext/text/TScrollTextParam.h"

#include "aatext/effects/SetProperty.h"
#include "aatext/text/TAAGraphicControl.h"

namespace saver {

void TScrollTextParam::SetFade(bool value) {
    SetProperty(*this, fade_, value);
}
void TScrollTextParam::SetFadeHeight(int value) {
    SetRangedProperty(*this, fade_height_, value, 0, 1000);
}
void TScrollTextParam::SetHeadSpace(int value) {
    SetRangedProperty(*this, head_space_, value, 0, 150);
}
void TScrollTextParam::SetTailSpace(int value) {
    SetRangedProperty(*this, tail_space_, value, 0, 150);
}

const TFont& TScrollTextParam::Font() const {
    return Control().Font();
}
void TScrollTextParam::SetFont(const TFont& font) {
    Control().SetFont(font);
}
TColor TScrollTextParam::BackColor() const {
    return Control().Color();
}
void TScrollTextParam::SetBackColor(TColor color) {
    Control().SetColor(color);
}
TAAQuality TScrollTextParam::Quality() const {
    return Control().AAFont().Quality();
}

void TScrollTextParam::SetQuality(TAAQuality quality) {
    if (quality != Quality()) {
        Control().AAFont().SetQuality(quality);
        Changed();
    }
}

}  // namespace saver
