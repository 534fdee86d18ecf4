// GIF87a and GIF89a through giflib: the first image, drawn on the screen's background
// (black where the image leaves it, or marks pixels transparent). The image is read
// record by record so that its size is checked before anything is allocated for it.
#include <gif_lib.h>

#include <cstring>

#include "pictures/Picture.h"

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
    if (count > 0) {
        std::memcpy(buffer, reader->data->data() + reader->position, count);
    }
    reader->position += count;
    return static_cast<int>(count);
}

// Reads an extension; a graphics control block sets the transparent colour index.
bool ReadExtension(GifFileType* gif, int& transparent) {
    int code = 0;
    GifByteType* block = nullptr;
    if (DGifGetExtension(gif, &code, &block) != GIF_OK) {
        return false;
    }
    GraphicsControlBlock control;
    if (code == GRAPHICS_EXT_FUNC_CODE && block &&
        DGifExtensionToGCB(block[0], block + 1, &control) == GIF_OK) {
        transparent = control.TransparentColor;
    }
    while (block) {
        if (DGifGetExtensionNext(gif, &block) != GIF_OK) {
            return false;
        }
    }
    return true;
}

// The stored rows of an interlaced image in display order: every 8th from 0, every 8th
// from 4, every 4th from 2, every 2nd from 1.
std::vector<int> RowOrder(int height, bool interlaced) {
    std::vector<int> rows;
    if (!interlaced) {
        for (int y = 0; y < height; ++y) {
            rows.push_back(y);
        }
        return rows;
    }
    constexpr int kStart[] = {0, 4, 2, 1};
    constexpr int kStep[] = {8, 8, 4, 2};
    for (int pass = 0; pass < 4; ++pass) {
        for (int y = kStart[pass]; y < height; y += kStep[pass]) {
            rows.push_back(y);
        }
    }
    return rows;
}

std::optional<Picture> ReadImage(GifFileType* gif, int transparent) {
    if (DGifGetImageDesc(gif) != GIF_OK) {
        return std::nullopt;
    }
    const GifImageDesc& desc = gif->Image;
    const ColorMapObject* colours = desc.ColorMap ? desc.ColorMap : gif->SColorMap;
    if (!colours || desc.Width <= 0 || desc.Height <= 0 || desc.Width > kMaxPictureSide ||
        desc.Height > kMaxPictureSide) {
        return std::nullopt;
    }
    Picture picture{gif->SWidth, gif->SHeight, {}};
    picture.rgb.assign(static_cast<size_t>(picture.width) * picture.height * 3, 0);
    std::vector<GifPixelType> line(static_cast<size_t>(desc.Width));
    for (int y : RowOrder(desc.Height, desc.Interlace)) {
        if (DGifGetLine(gif, line.data(), desc.Width) != GIF_OK) {
            return std::nullopt;
        }
        const int py = desc.Top + y;
        for (int x = 0; x < desc.Width && py < picture.height; ++x) {
            const int px = desc.Left + x;
            const int index = line[static_cast<size_t>(x)];
            if (px >= picture.width || index == transparent || index >= colours->ColorCount) {
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

std::optional<Picture> ReadFirstImage(GifFileType* gif) {
    if (gif->SWidth <= 0 || gif->SHeight <= 0 || gif->SWidth > kMaxPictureSide ||
        gif->SHeight > kMaxPictureSide) {
        return std::nullopt;
    }
    int transparent = -1;
    for (;;) {
        GifRecordType record;
        if (DGifGetRecordType(gif, &record) != GIF_OK) {
            return std::nullopt;
        }
        if (record == IMAGE_DESC_RECORD_TYPE) {
            return ReadImage(gif, transparent);
        }
        if (record == TERMINATE_RECORD_TYPE ||
            (record == EXTENSION_RECORD_TYPE && !ReadExtension(gif, transparent))) {
            return std::nullopt;
        }
    }
}

}  // namespace

std::optional<Picture> DecodeGif(const std::vector<uint8_t>& data) {
    MemoryReader reader{&data, 0};
    int error = 0;
    GifFileType* gif = DGifOpen(&reader, ReadFromMemory, &error);
    if (!gif) {
        return std::nullopt;
    }
    std::optional<Picture> picture = ReadFirstImage(gif);
    DGifCloseFile(gif, &error);
    return picture;
}

}  // namespace saver
