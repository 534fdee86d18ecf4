#pragma once

#include <string>

#include "aatext/effects/EffectRandom.h"
#include "aatext/effects/TAAEffect.h"
#include "aatext/font/TAAFont.h"

namespace saver {

// Draws single-line strings anti-aliased and dressed with the current effect.
class TAAFontEx : public TAAFont {
  public:
    explicit TAAFontEx(TCanvas* canvas, FontEngine& engine = SharedFontEngine());

    TAAEffect& Effect() { return effect_; }
    EffectRandom& Random() { return random_; }

    // The extent with the effect's rotation and the room the shadow's offset takes.
    Size TextExtent(const std::string& text) override;

    // Draws the string so that the box of its TextExtent has its top-left at (x, y).
    // Nothing happens without a canvas or for an empty string.
    void TextOut(int x, int y, const std::string& text);

  private:
    void DrawShadow(int x, int y);
    void ColourText(int x, int y);

    TAAEffect effect_;
    EffectRandom random_;
    TAAMask shadow_mask_;
};

}  // namespace saver
