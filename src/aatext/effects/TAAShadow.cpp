#include "aatext/effects/TAAShadow.h"

#include "aatext/effects/SetProperty.h"

namespace saver {

void TAAShadow::SetBlur(int value) {
    SetRangedProperty(*this, blur_, value, 0, 100);
}
void TAAShadow::SetAlpha(int value) {
    SetRangedProperty(*this, alpha_, value, 0, 100);
}
void TAAShadow::SetColor(TColor value) {
    SetProperty(*this, color_, value);
}
void TAAShadow::SetOffsetX(int value) {
    SetRangedProperty(*this, offset_x_, value, -20, 20);
}
void TAAShadow::SetOffsetY(int value) {
    SetRangedProperty(*this, offset_y_, value, -20, 20);
}

void TAAShadow::Assign(const TAAShadow& other) {
    CopyEnabled(other);
    blur_ = other.blur_;
    alpha_ = other.alpha_;
    color_ = other.color_;
    offset_x_ = other.offset_x_;
    offset_y_ = other.offset_y_;
}

}  // namespace saver
