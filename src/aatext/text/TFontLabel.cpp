#include "aatext/text/TFontLabel.h"

namespace saver {

TFontLabel::TFontLabel(LabelCollection<TFontLabel>& owner) : owner_(owner) {
    effect_.OnChange = [this](TNotifyClass*) { owner_.ItemChanged(); };
}

void TFontLabel::SetName(const std::string& name) {
    owner_.CheckName(name, this);
    name_ = name;
    owner_.ItemChanged();
}

void TFontLabel::SetFont(const TFont& font) {
    font_ = font;
    owner_.ItemChanged();
}

}  // namespace saver
