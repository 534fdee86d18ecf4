#pragma once

#include "aatext/bitmap/Bitmap24.h"
#include "aatext/bitmap/Color.h"
#include "aatext/font/TFont.h"

namespace saver {

enum TBrushStyle { bsSolid, bsClear };

struct TBrush {
    TColor Color = clWhite;
    TBrushStyle Style = bsSolid;
};

// A drawing surface: the 24-bit bitmap drawn on, its current font and brush. With a
// solid brush, text painting fills its box with the brush colour first; with a clear
// brush it is blended onto what the bitmap holds.
struct TCanvas {
    Bitmap24* Bitmap = nullptr;
    TFont Font;
    TBrush Brush;
};

}  // namespace saver
