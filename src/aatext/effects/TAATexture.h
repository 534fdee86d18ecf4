#pragma once

#include "aatext/bitmap/TPicture.h"
#include "aatext/effects/TEnabledClass.h"

namespace saver {

enum TTextureMode { tmTiled, tmStretched, tmCenter, tmNormal };

// The picture that colours a text effect.
class TAATexture : public TEnabledClass {
  public:
    explicit TAATexture(TNotifyClass* owner = nullptr);

    TTextureMode Mode() const { return mode_; }
    void SetMode(TTextureMode value);
    TPicture& Picture() { return picture_; }
    const TPicture& Picture() const { return picture_; }

    // Copies every property; only the copied picture reports its change.
    void Assign(const TAATexture& other);

  private:
    TTextureMode mode_ = tmTiled;
    TPicture picture_;
};

}  // namespace saver
