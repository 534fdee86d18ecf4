#pragma once

#include "aatext/font/FontEngine.h"
#include "aatext/text/Utf8.h"

namespace saver::test {

// A font engine whose characters are all `advance` pixels wide and `height` high at scale
// 1, so extents can be checked exactly. Drawing uses the real engine.
class FixedFontEngine : public FontEngine {
  public:
    FixedFontEngine(int advance, int height) : advance_(advance), height_(height) {}

    Size Measure(const TFont&, int scale, std::string_view text) override {
        return Size{static_cast<int>(Utf8Length(text)) * advance_ * scale, height_ * scale};
    }

  private:
    int advance_;
    int height_;
};

}  // namespace saver::test
