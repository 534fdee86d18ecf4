#include "aatext/effects/TAAGradual.h"

#include "aatext/effects/SetProperty.h"

namespace saver {

void TAAGradual::SetStyle(TGradualStyle value) {
    SetProperty(*this, style_, value);
}
void TAAGradual::SetStartColor(TColor value) {
    SetProperty(*this, start_color_, value);
}
void TAAGradual::SetEndColor(TColor value) {
    SetProperty(*this, end_color_, value);
}

void TAAGradual::Assign(const TAAGradual& other) {
    CopyEnabled(other);
    style_ = other.style_;
    start_color_ = other.start_color_;
    end_color_ = other.end_color_;
}

}  // namespace saver
