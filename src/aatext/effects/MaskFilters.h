#pragma once

#include "aatext/effects/EffectRandom.h"
#include "aatext/font/TAAMask.h"

namespace saver {

// The effects that change a coverage mask in place. They work in mask pixels, so they
// look the same at every quality.

// Replaces every inner pixel by the strength of the edge through it; a mask less than 3
// rows high is left as it is.
void OutlineMask(TAAMask& mask);

// Moves each pixel to a random place within `radius`, in place, row by row.
void SprayMask(TAAMask& mask, int radius, EffectRandom& random);

// Mixes each pixel towards the 5 x 5 average around it by strength percent (0..100).
void BlurMask(TAAMask& mask, int strength);

// Reverses every row (left to right mirror).
void MirrorMaskRows(TAAMask& mask);

// Reverses the order of the rows (top to bottom mirror).
void FlipMaskRows(TAAMask& mask);

}  // namespace saver
