// Windows icon files: a directory of pictures, of which the largest is shown. Pictures
// stored as PNG inside the icon are not read.
#include "pictures/DibDecoder.h"

namespace saver {

std::optional<Picture> DecodeIco(const std::vector<uint8_t>& data) {
    constexpr size_t kHeader = 6;
    constexpr size_t kEntry = 16;
    if (data.size() < kHeader || ReadLittle16(data, 0) != 0 || ReadLittle16(data, 2) != 1) {
        return std::nullopt;
    }
    const size_t count = ReadLittle16(data, 4);
    if (count == 0 || kHeader + count * kEntry > data.size()) {
        return std::nullopt;
    }
    size_t best = 0;
    int best_area = -1;
    for (size_t i = 0; i < count; ++i) {
        const size_t entry = kHeader + i * kEntry;
        // A stored size of 0 means 256.
        const int width = data[entry] ? data[entry] : 256;
        const int height = data[entry + 1] ? data[entry + 1] : 256;
        if (width * height > best_area) {
            best_area = width * height;
            best = entry;
        }
    }
    const uint32_t offset = ReadLittle32(data, best + 12);
    return DecodeDib(data, offset, std::nullopt, true);
}

}  // namespace saver
