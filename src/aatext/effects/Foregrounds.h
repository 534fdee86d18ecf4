#pragma once

#include <vector>

#include "aatext/bitmap/Bitmap24.h"
#include "aatext/effects/EffectRandom.h"
#include "aatext/effects/TAAGradual.h"
#include "aatext/effects/TAATexture.h"

namespace saver {

// The foreground bitmaps that colour a string, each of the mask's size w x h.

// The colours of a gradient along a length; centre styles are mirrored about the middle.
std::vector<Rgb> GradientRamp(int length, const TAAGradual& gradual);

// Horizontal styles repeat the ramp in every row, vertical styles colour row r with
// entry r.
void BuildGradientForeground(Bitmap24& fore, int w, int h, const TAAGradual& gradual);

// The font colour with the picture drawn over it as the texture mode places it.
void BuildTextureForeground(Bitmap24& fore, int w, int h, Rgb font_color,
                            const TAATexture& texture);

// The font colour with independent random noise of range n on every channel.
void BuildNoiseForeground(Bitmap24& fore, int w, int h, Rgb font_color, int n,
                          EffectRandom& random);

// Adds random noise of range n to every channel of every pixel.
void AddNoise(Bitmap24& fore, int n, EffectRandom& random);

}  // namespace saver
