#include "aatext/bitmap/TPicture.h"

#include "aatext/bitmap/PngFile.h"

namespace saver {

void TPicture::SetBitmap(Bitmap24 bitmap) {
    bitmap_ = std::move(bitmap);
    if (OnChange) {
        OnChange();
    }
}

bool TPicture::LoadFromFile(const std::string& path) {
    Bitmap24 bitmap;
    if (!ReadPng(path, bitmap)) {
        return false;
    }
    SetBitmap(std::move(bitmap));
    return true;
}

}  // namespace saver
