// PNG through libpng's simplified reader: every colour type, bit depth and interlacing
// comes out as 8-bit RGB. Transparent parts are drawn on black, as in the GIF decoder.
// The reader reports its errors by return value, so nothing jumps across our frames.
#include <png.h>

#include "pictures/Picture.h"

namespace saver {

std::optional<Picture> DecodePng(const std::vector<uint8_t>& data) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, data.data(), data.size())) {
        return std::nullopt;
    }
    // The size is checked before anything is allocated for the pixels.
    if (image.width == 0 || image.height == 0 || image.width > kMaxPictureSide ||
        image.height > kMaxPictureSide) {
        png_image_free(&image);
        return std::nullopt;
    }
    image.format = PNG_FORMAT_RGB;
    Picture picture{static_cast<int>(image.width), static_cast<int>(image.height), {}};
    // Zeroed, so that composing transparent pixels onto the buffer gives black.
    picture.rgb.assign(PNG_IMAGE_SIZE(image), 0);
    if (!png_image_finish_read(&image, nullptr, picture.rgb.data(), 0, nullptr)) {
        png_image_free(&image);
        return std::nullopt;
    }
    return picture;
}

}  // namespace saver
