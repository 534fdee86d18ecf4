#include "aatext/effects/Foregrounds.h"

#include <algorithm>

namespace saver {

namespace {

bool IsVertical(TGradualStyle style) {
    return style == gsTopToBottom || style == gsBottomToTop || style == gsCenterToTB;
}

bool IsCentre(TGradualStyle style) {
    return style == gsCenterToLR || style == gsCenterToTB;
}

uint8_t Step(uint8_t a, uint8_t b, int i, int n) {
    return static_cast<uint8_t>(a + i * (b - a) / n);
}

// A channel moved by a random term in -(n div 2) .. n - 1 - n div 2, clamped to a byte.
uint8_t Noisy(int value, int n, EffectRandom& random) {
    return static_cast<uint8_t>(std::clamp(value + random.Below(n) - n / 2, 0, 255));
}

}  // namespace

std::vector<Rgb> GradientRamp(int length, const TAAGradual& gradual) {
    const TGradualStyle style = gradual.Style();
    const bool forward = style == gsLeftToRight || style == gsTopToBottom;
    const Rgb a = ColorToRgb(forward ? gradual.StartColor() : gradual.EndColor());
    const Rgb b = ColorToRgb(forward ? gradual.EndColor() : gradual.StartColor());
    const int steps = IsCentre(style) ? (length + 1) / 2 : length;
    std::vector<Rgb> ramp(static_cast<size_t>(std::max(length, 0)));
    for (int i = 0; i < steps; ++i) {
        const Rgb entry{Step(a.r, b.r, i, steps), Step(a.g, b.g, i, steps),
                        Step(a.b, b.b, i, steps)};
        ramp[i] = entry;
        if (IsCentre(style)) {
            ramp[length - 1 - i] = entry;
        }
    }
    return ramp;
}

void BuildGradientForeground(Bitmap24& fore, int w, int h, const TAAGradual& gradual) {
    fore.SetSize(w, h);
    const bool vertical = IsVertical(gradual.Style());
    const std::vector<Rgb> ramp = GradientRamp(vertical ? h : w, gradual);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            fore.SetPixel(x, y, ramp[vertical ? y : x]);
        }
    }
}

void BuildTextureForeground(Bitmap24& fore, int w, int h, Rgb font_color,
                            const TAATexture& texture) {
    fore.SetSize(w, h);
    fore.Fill(font_color);
    const Bitmap24& picture = texture.Picture().Bitmap();
    switch (texture.Mode()) {
        case tmTiled:
            fore.Tile(picture);
            break;
        case tmStretched:
            fore.StretchDraw(0, 0, w, h, picture);
            break;
        case tmCenter:
            fore.Draw((w - picture.Width()) / 2, (h - picture.Height()) / 2, picture);
            break;
        case tmNormal:
            fore.Draw(0, 0, picture);
            break;
    }
}

void BuildNoiseForeground(Bitmap24& fore, int w, int h, Rgb font_color, int n,
                          EffectRandom& random) {
    fore.SetSize(w, h);
    for (int y = 0; y < h; ++y) {
        uint8_t* row = fore.Row(y);
        for (int x = 0; x < w; ++x) {
            row[x * 3] = Noisy(font_color.b, n, random);
            row[x * 3 + 1] = Noisy(font_color.g, n, random);
            row[x * 3 + 2] = Noisy(font_color.r, n, random);
        }
    }
}

void AddNoise(Bitmap24& fore, int n, EffectRandom& random) {
    for (int y = 0; y < fore.Height(); ++y) {
        uint8_t* row = fore.Row(y);
        for (int i = 0; i < fore.Width() * 3; ++i) {
            row[i] = Noisy(row[i], n, random);
        }
    }
}

}  // namespace saver
