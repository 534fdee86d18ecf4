#include "pictures/DibDecoder.h"

namespace saver {
namespace {

constexpr uint32_t kBiRgb = 0;
constexpr uint32_t kBiBitfields = 3;

struct DibLayout {
    int width = 0;
    int height = 0;
    bool top_down = false;
    int bits = 0;
    size_t palette = 0;  // offset of the colour table
    size_t colours = 0;
    size_t pixels = 0;
    size_t stride = 0;
};

size_t Stride(int width, int bits) {
    return ((static_cast<size_t>(width) * bits + 31) / 32) * 4;
}

std::optional<DibLayout> ReadLayout(const std::vector<uint8_t>& data, size_t header,
                                    std::optional<size_t> pixels, bool icon) {
    if (header + 40 > data.size()) {
        return std::nullopt;
    }
    const uint32_t header_size = ReadLittle32(data, header);
    const int64_t width = static_cast<int32_t>(ReadLittle32(data, header + 4));
    int64_t height = static_cast<int32_t>(ReadLittle32(data, header + 8));
    DibLayout layout;
    layout.bits = ReadLittle16(data, header + 14);
    const uint32_t compression = ReadLittle32(data, header + 16);
    const uint32_t used = ReadLittle32(data, header + 32);
    if (header_size < 40 || header_size > data.size() - header) {
        return std::nullopt;
    }
    if (icon) {
        height /= 2;
    }
    layout.top_down = height < 0 && !icon;
    const int64_t rows = height < 0 ? -height : height;
    const bool plain = compression == kBiRgb || (compression == kBiBitfields && layout.bits == 32);
    const bool known_bits = layout.bits == 1 || layout.bits == 4 || layout.bits == 8 ||
                            layout.bits == 24 || layout.bits == 32;
    if (!plain || !known_bits || width <= 0 || rows <= 0 || width > kMaxPictureSide ||
        rows > kMaxPictureSide) {
        return std::nullopt;
    }
    layout.width = static_cast<int>(width);
    layout.height = static_cast<int>(rows);
    layout.colours = layout.bits <= 8 ? (used ? used : size_t{1} << layout.bits) : 0;
    if (layout.colours > 256) {
        return std::nullopt;
    }
    layout.palette = header + header_size + (compression == kBiBitfields ? 12 : 0);
    layout.pixels = pixels.value_or(layout.palette + layout.colours * 4);
    layout.stride = Stride(layout.width, layout.bits);
    const size_t mask = icon ? Stride(layout.width, 1) * layout.height : 0;
    if (layout.palette + layout.colours * 4 > data.size() || layout.pixels > data.size() ||
        layout.stride * layout.height + mask > data.size() - layout.pixels) {
        return std::nullopt;
    }
    return layout;
}

// The pixel's colour as blue, green, red, alpha-over-black.
void ReadPixel(const std::vector<uint8_t>& data, const DibLayout& layout, const uint8_t* row, int x,
               uint8_t* out) {
    if (layout.bits <= 8) {
        const int per_byte = 8 / layout.bits;
        const int shift = (per_byte - 1 - x % per_byte) * layout.bits;
        const size_t index = (row[x / per_byte] >> shift) & ((1 << layout.bits) - 1);
        if (index >= layout.colours) {
            out[0] = out[1] = out[2] = 0;
            return;
        }
        const uint8_t* entry = &data[layout.palette + index * 4];
        out[0] = entry[2];
        out[1] = entry[1];
        out[2] = entry[0];
        return;
    }
    const uint8_t* pixel = row + static_cast<size_t>(x) * (layout.bits / 8);
    const int alpha = layout.bits == 32 ? pixel[3] : 255;
    out[0] = static_cast<uint8_t>(pixel[2] * alpha / 255);
    out[1] = static_cast<uint8_t>(pixel[1] * alpha / 255);
    out[2] = static_cast<uint8_t>(pixel[0] * alpha / 255);
}

}  // namespace

uint32_t ReadLittle32(const std::vector<uint8_t>& data, size_t at) {
    return static_cast<uint32_t>(data[at]) | static_cast<uint32_t>(data[at + 1]) << 8 |
           static_cast<uint32_t>(data[at + 2]) << 16 | static_cast<uint32_t>(data[at + 3]) << 24;
}

uint16_t ReadLittle16(const std::vector<uint8_t>& data, size_t at) {
    return static_cast<uint16_t>(data[at] | data[at + 1] << 8);
}

std::optional<Picture> DecodeDib(const std::vector<uint8_t>& data, size_t header,
                                 std::optional<size_t> pixels, bool icon) {
    const std::optional<DibLayout> layout = ReadLayout(data, header, pixels, icon);
    if (!layout) {
        return std::nullopt;
    }
    Picture picture{layout->width, layout->height, {}};
    picture.rgb.resize(static_cast<size_t>(picture.width) * picture.height * 3);
    const size_t mask_start = layout->pixels + layout->stride * layout->height;
    const size_t mask_stride = Stride(layout->width, 1);
    for (int y = 0; y < layout->height; ++y) {
        const int stored = layout->top_down ? y : layout->height - 1 - y;
        const uint8_t* row = &data[layout->pixels + layout->stride * stored];
        const uint8_t* mask = icon ? &data[mask_start + mask_stride * stored] : nullptr;
        for (int x = 0; x < layout->width; ++x) {
            uint8_t* out = &picture.rgb[(static_cast<size_t>(y) * picture.width + x) * 3];
            ReadPixel(data, *layout, row, x, out);
            if (mask && layout->bits < 32 && (mask[x / 8] >> (7 - x % 8) & 1)) {
                out[0] = out[1] = out[2] = 0;
            }
        }
    }
    return picture;
}

}  // namespace saver
