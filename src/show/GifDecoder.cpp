// GIF87a and GIF89a through giflib: the first image, drawn on the screen's background.
#include <gif_lib.h>

#include <cstring>

#include "show/Picture.h"

namespace saver {
namespace {

struct MemoryReader {
    const std::vector<uint8_t>* data;
    size_t position;
};

int ReadFromMemory(GifFileType* gif, GifByteType* buffer, int length) {
    auto* reader = static_cast<MemoryReader*>(gif->UserData);
    const size_t left = reader->data->size() - reader->position;
    const size_t count = std::min(left, static_cast<size_t>(length));
    std::memcpy(buffer, reader->data->data() + reader->position, count);
    reader->position += count;
    return static_cast<int>(count);
}

// The transparent colour index of the image's graphics control block, or -1.
int TransparentIndex(const SavedImage& image) {
    GraphicsControlBlock control;
    for (int i = 0; i < image.ExtensionBlockCount; ++i) {
        const ExtensionBlock& block = image.ExtensionBlocks[i];
        if (block.Function == GRAPHICS_EXT_FUNC_CODE &&
            DGifExtensionToGCB(block.ByteCount, block.Bytes, &control) == GIF_OK) {
            return control.TransparentColor;
        }
    }
    return -1;
}

std::optional<Picture> Render(const GifFileType& gif) {
    if (gif.ImageCount < 1 || gif.SWidth <= 0 || gif.SHeight <= 0 || gif.SWidth > kMaxPictureSide ||
        gif.SHeight > kMaxPictureSide) {
        return std::nullopt;
    }
    const SavedImage& image = gif.SavedImages[0];
    const ColorMapObject* colours =
        image.ImageDesc.ColorMap ? image.ImageDesc.ColorMap : gif.SColorMap;
    if (!colours || !image.RasterBits) {
        return std::nullopt;
    }
    Picture picture{gif.SWidth, gif.SHeight, {}};
    picture.rgb.assign(static_cast<size_t>(picture.width) * picture.height * 3, 0);
    const GifImageDesc& desc = image.ImageDesc;
    const int transparent = TransparentIndex(image);
    for (int y = 0; y < desc.Height; ++y) {
        for (int x = 0; x < desc.Width; ++x) {
            const int px = desc.Left + x;
            const int py = desc.Top + y;
            const int index = image.RasterBits[static_cast<size_t>(y) * desc.Width + x];
            if (px >= picture.width || py >= picture.height || index == transparent ||
                index >= colours->ColorCount) {
                continue;
            }
            uint8_t* pixel = &picture.rgb[(static_cast<size_t>(py) * picture.width + px) * 3];
            pixel[0] = colours->Colors[index].Red;
            pixel[1] = colours->Colors[index].Green;
            pixel[2] = colours->Colors[index].Blue;
        }
    }
    return picture;
}

}  // namespace

std::optional<Picture> DecodeGif(const std::vector<uint8_t>& data) {
    MemoryReader reader{&data, 0};
    int error = 0;
    GifFileType* gif = DGifOpen(&reader, ReadFromMemory, &error);
    if (!gif) {
        return std::nullopt;
    }
    std::optional<Picture> picture;
    if (DGifSlurp(gif) == GIF_OK) {
        picture = Render(*gif);
    }
    DGifCloseFile(gif, &error);
    return picture;
}

}  // namespace saver
