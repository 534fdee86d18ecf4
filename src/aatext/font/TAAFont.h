#pragma once

#include <memory>
#include <string>

#include "aatext/bitmap/TCanvas.h"
#include "aatext/effects/TAABlend.h"
#include "aatext/font/FontEngine.h"
#include "aatext/font/TAAMask.h"
#include "aatext/font/TAAQuality.h"

namespace saver {

struct Point {
    int x = 0;
    int y = 0;
    bool operator==(const Point&) const = default;
};

// Measures strings under the current font of a canvas and owns the coverage mask and the
// blender that paint them. The canvas is set from outside and may change at any time;
// nothing is cached between calls.
class TAAFont {
  public:
    explicit TAAFont(TCanvas* canvas, FontEngine& engine = SharedFontEngine());
    virtual ~TAAFont() = default;
    TAAFont(const TAAFont&) = delete;
    TAAFont& operator=(const TAAFont&) = delete;

    TCanvas* Canvas() const { return canvas_; }
    void SetCanvas(TCanvas* canvas) { canvas_ = canvas; }
    FontEngine& Engine() const { return engine_; }

    // The size in pixels of the string as drawn; (0, 0) without a canvas.
    virtual Size TextExtent(const std::string& text);
    virtual int TextHeight(const std::string& text) { return TextExtent(text).cy; }
    virtual int TextWidth(const std::string& text) { return TextExtent(text).cx; }

    TAAQuality Quality() const { return mask_.Quality(); }
    void SetQuality(TAAQuality quality) { mask_.SetQuality(quality); }
    TAAMask& Mask() { return mask_; }
    TAABlend& Blend() { return blend_; }

    // The extent under the canvas font without effects, and where the string's own
    // top-left corner lies inside that box when the font is rotated.
    Size BaseExtent(const std::string& text, Point* origin) const;

  private:
    TCanvas* canvas_;
    FontEngine& engine_;
    TAAMask mask_;
    TAABlend blend_;
};

}  // namespace saver
