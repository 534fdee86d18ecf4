// Windows bitmap files: "BM", the file header, then a device-independent bitmap.
#include "pictures/DibDecoder.h"

namespace saver {

std::optional<Picture> DecodeBmp(const std::vector<uint8_t>& data) {
    constexpr size_t kFileHeader = 14;
    if (data.size() < kFileHeader || data[0] != 'B' || data[1] != 'M') {
        return std::nullopt;
    }
    return DecodeDib(data, kFileHeader, ReadLittle32(data, 10), false);
}

}  // namespace saver
