// Every picture decoder on the same bytes: a picture file is outside input (the author's
// static preview picture), and each decoder must refuse what it cannot read.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "pictures/Picture.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::vector<uint8_t> bytes(data, data + size);
    for (auto decode : {saver::DecodeBmp, saver::DecodeIco, saver::DecodeGif, saver::DecodeJpeg,
                        saver::DecodePng}) {
        const std::optional<saver::Picture> picture = decode(bytes);
        if (picture &&
            picture->rgb.size() != static_cast<size_t>(picture->width) * picture->height * 3) {
            __builtin_trap();
        }
    }
    return 0;
}
