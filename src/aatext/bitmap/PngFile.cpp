#include "aatext/bitmap/PngFile.h"

#include <png.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

namespace saver {

namespace {

struct FileCloser {
    void operator()(FILE* f) const { std::fclose(f); }
};
using FilePtr = std::unique_ptr<FILE, FileCloser>;

}  // namespace

bool ReadPng(const std::string& path, Bitmap24& bitmap) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (png_image_begin_read_from_file(&image, path.c_str()) == 0) {
        return false;
    }
    image.format = PNG_FORMAT_BGR;
    std::vector<uint8_t> pixels(PNG_IMAGE_SIZE(image));
    png_color black{0, 0, 0};
    if (png_image_finish_read(&image, &black, pixels.data(), 0, nullptr) == 0) {
        png_image_free(&image);
        return false;
    }
    Bitmap24 result(static_cast<int>(image.width), static_cast<int>(image.height));
    const size_t row_bytes = static_cast<size_t>(image.width) * 3;
    for (int y = 0; y < result.Height(); ++y) {
        std::copy_n(pixels.data() + y * row_bytes, row_bytes, result.Row(y));
    }
    bitmap = std::move(result);
    return true;
}

bool WritePng(const std::string& path, const Bitmap24& bitmap) {
    if (bitmap.Empty()) {
        return false;
    }
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(bitmap.Width());
    image.height = static_cast<png_uint_32>(bitmap.Height());
    image.format = PNG_FORMAT_BGR;
    const std::string temp = path + ".part";
    FilePtr file(std::fopen(temp.c_str(), "wb"));
    if (!file) {
        return false;
    }
    const bool written = png_image_write_to_stdio(&image, file.get(), 0, bitmap.Row(0),
                                                  bitmap.RowLength(), nullptr) != 0;
    const bool closed = std::fclose(file.release()) == 0;
    if (!written || !closed || std::rename(temp.c_str(), path.c_str()) != 0) {
        std::remove(temp.c_str());
        return false;
    }
    return true;
}

}  // namespace saver
