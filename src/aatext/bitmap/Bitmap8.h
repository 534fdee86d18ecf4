#pragma once

#include "aatext/bitmap/RowBuffer.h"

namespace saver {

// An 8-bit bitmap, the supersampling surface of the text renderer. Its values are grey
// levels (the index into a grey palette whose entry i is (i, i, i)), so 0 is black and
// 255 white; a new bitmap is black.
using Bitmap8 = RowBuffer<1>;

}  // namespace saver
