#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "pictures/Picture.h"

namespace saver {

// Decodes a device-independent bitmap: a BITMAPINFOHEADER at `header` in `data`, then
// its colour table, with the pixel rows at `pixels` (nullopt: right after the colour
// table, as in icons). Uncompressed 1, 4, 8, 24 and 32 bits a pixel. `icon` means the
// stored height covers the picture and its transparency mask, which is applied (masked
// pixels black, as the preview's background).
std::optional<Picture> DecodeDib(const std::vector<uint8_t>& data, size_t header,
                                 std::optional<size_t> pixels, bool icon);

uint32_t ReadLittle32(const std::vector<uint8_t>& data, size_t at);
uint16_t ReadLittle16(const std::vector<uint8_t>& data, size_t at);

}  // namespace saver
