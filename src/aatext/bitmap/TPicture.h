#pragma once

#include <functional>
#include <string>

#include "aatext/bitmap/Bitmap24.h"

namespace saver {

// A picture held as a 24-bit bitmap; every change of its content calls OnChange.
class TPicture {
  public:
    bool Empty() const { return bitmap_.Empty(); }
    int Width() const { return bitmap_.Width(); }
    int Height() const { return bitmap_.Height(); }
    const Bitmap24& Bitmap() const { return bitmap_; }

    void SetBitmap(Bitmap24 bitmap);
    void Assign(const TPicture& other) { SetBitmap(other.bitmap_); }
    void Clear() { SetBitmap(Bitmap24()); }
    // Loads a PNG file; returns false and keeps the picture when it cannot be read.
    bool LoadFromFile(const std::string& path);

    std::function<void()> OnChange;

  private:
    Bitmap24 bitmap_;
};

}  // namespace saver
