#include "aatext/effects/TAATexture.h"

#include "aatext/effects/SetProperty.h"

namespace saver {

TAATexture::TAATexture(TNotifyClass* owner) : TEnabledClass(owner) {
    picture_.OnChange = [this] { Changed(); };
}

void TAATexture::SetMode(TTextureMode value) {
    SetProperty(*this, mode_, value);
}

void TAATexture::Assign(const TAATexture& other) {
    CopyEnabled(other);
    mode_ = other.mode_;
    picture_.Assign(other.picture_);
}

}  // namespace saver
