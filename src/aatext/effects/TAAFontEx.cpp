#include "aatext/effects/TAAFontEx.h"

#include <algorithm>
#include <cstdlib>

#include "aatext/effects/Foregrounds.h"
#include "aatext/effects/MaskFilters.h"

namespace saver {

namespace {

// Gives the canvas font the effect's rotation for the guard's lifetime and restores the
// font afterwards, also when an exception passes.
class EscapementScope {
  public:
    EscapementScope(TCanvas& canvas, int angle) : canvas_(canvas), saved_(canvas.Font.Escapement) {
        if (angle != 0) {
            canvas_.Font.Escapement = angle * 10;
        }
    }
    ~EscapementScope() { canvas_.Font.Escapement = saved_; }
    EscapementScope(const EscapementScope&) = delete;
    EscapementScope& operator=(const EscapementScope&) = delete;

  private:
    TCanvas& canvas_;
    int saved_;
};

class BrushStyleScope {
  public:
    explicit BrushStyleScope(TCanvas& canvas) : canvas_(canvas), saved_(canvas.Brush.Style) {}
    ~BrushStyleScope() { canvas_.Brush.Style = saved_; }
    BrushStyleScope(const BrushStyleScope&) = delete;
    BrushStyleScope& operator=(const BrushStyleScope&) = delete;

  private:
    TCanvas& canvas_;
    TBrushStyle saved_;
};

}  // namespace

TAAFontEx::TAAFontEx(TCanvas* canvas, FontEngine& engine)
    : TAAFont(canvas, engine), shadow_mask_(this) {}

Size TAAFontEx::TextExtent(const std::string& text) {
    if (Canvas() == nullptr) {
        return Size{};
    }
    Size extent;
    {
        EscapementScope rotated(*Canvas(), effect_.Angle());
        extent = TAAFont::TextExtent(text);
    }
    if (effect_.Shadow().Enabled()) {
        extent.cx += std::abs(effect_.Shadow().OffsetX());
        extent.cy += std::abs(effect_.Shadow().OffsetY());
    }
    return extent;
}

void TAAFontEx::TextOut(int x, int y, const std::string& text) {
    if (Canvas() == nullptr || text.empty()) {
        return;
    }
    TCanvas& canvas = *Canvas();
    EscapementScope rotated(canvas, effect_.Angle());
    const TAAShadow& shadow = effect_.Shadow();
    int text_x = x;
    int text_y = y;
    if (shadow.Enabled()) {
        text_x = x + std::max(0, -static_cast<int>(shadow.OffsetX()));
        text_y = y + std::max(0, -static_cast<int>(shadow.OffsetY()));
    }
    TAAMask& mask = Mask();
    mask.RenderText(text);
    if (effect_.Outline()) {
        OutlineMask(mask);
    }
    if (effect_.Spray() > 0) {
        SprayMask(mask, effect_.Spray(), random_);
    }
    if (effect_.HorzMirror()) {
        MirrorMaskRows(mask);
    }
    if (effect_.VertMirror()) {
        FlipMaskRows(mask);
    }
    BrushStyleScope brush(canvas);
    if (shadow.Enabled()) {
        DrawShadow(x + std::max(0, static_cast<int>(shadow.OffsetX())),
                   y + std::max(0, static_cast<int>(shadow.OffsetY())));
        canvas.Brush.Style = bsClear;
    }
    if (effect_.Blur() > 0) {
        BlurMask(mask, effect_.Blur());
    }
    ColourText(text_x, text_y);
}

void TAAFontEx::DrawShadow(int x, int y) {
    const TAAShadow& shadow = effect_.Shadow();
    shadow_mask_ = Mask();
    if (shadow.Blur() > 0) {
        BlurMask(shadow_mask_, shadow.Blur());
    }
    Blend().BlendColor(x, y, shadow_mask_, effect_.Alpha() * shadow.Alpha() / 100, shadow.Color());
}

void TAAFontEx::ColourText(int x, int y) {
    const TAAMask& mask = Mask();
    const Rgb font_color = ColorToRgb(Canvas()->Font.Color);
    const int noise = effect_.Noise();
    Bitmap24& fore = Blend().ForeBitmap();
    if (effect_.Texture().Enabled() && !effect_.Texture().Picture().Empty()) {
        BuildTextureForeground(fore, mask.Width(), mask.Height(), font_color, effect_.Texture());
    } else if (effect_.Gradual().Enabled()) {
        BuildGradientForeground(fore, mask.Width(), mask.Height(), effect_.Gradual());
    } else if (noise > 0) {
        BuildNoiseForeground(fore, mask.Width(), mask.Height(), font_color, noise, random_);
        Blend().BlendBitmap(x, y, mask, effect_.Alpha());
        return;
    } else {
        Blend().BlendColor(x, y, mask, effect_.Alpha(), Canvas()->Font.Color);
        return;
    }
    if (noise > 0) {
        AddNoise(fore, noise, random_);
    }
    Blend().BlendBitmap(x, y, mask, effect_.Alpha());
}

}  // namespace saver
