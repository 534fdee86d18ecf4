#include "aatext/text/TUserLabel.h"

#include "aatext/text/TUserLabels.h"

namespace saver {

void TUserLabel::SetName(const std::string& name) {
    owner_.CheckName(name, this);
    name_ = name;
    owner_.ItemChanged();
}

void TUserLabel::SetStyle(TLabelStyle style) {
    style_ = style;
    owner_.ItemChanged();
}

void TUserLabel::SetText(const std::string& text) {
    if (style_ != lsCustom) {
        return;
    }
    text_ = text;
    owner_.ItemChanged();
}

std::string TUserLabel::StyleText() const {
    const auto& labels = static_cast<const TUserLabels&>(owner_);
    switch (style_) {
        case lsRegOwner:
            return labels.RegOwner();
        case lsRegOrganization:
            return labels.RegOrganization();
        case lsAppTitle:
            return labels.AppTitle();
        case lsDate:
            return labels.FormatNow("%x");
        case lsTime:
            return labels.FormatNow("%X");
        case lsCustom:
            return text_;
        default:
            return "";
    }
}

std::string TUserLabel::LabelText() {
    std::string text = StyleText();
    if (OnGetText && style_ > lsRightJustify) {
        OnGetText(*this, text);
    }
    return text;
}

}  // namespace saver
