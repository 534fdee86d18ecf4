#include <algorithm>
#include <cctype>
#include <fstream>
#include <iterator>

#include "pictures/Picture.h"

namespace saver {
namespace {

std::string LowerExtension(const std::string& path) {
    const size_t dot = path.rfind('.');
    const size_t slash = path.find_last_of("/\\");
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) {
        return "";
    }
    std::string extension = path.substr(dot + 1);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension;
}

}  // namespace

std::optional<Picture> LoadPicture(const std::string& path) {
    using Decoder = std::optional<Picture> (*)(const std::vector<uint8_t>&);
    const std::string extension = LowerExtension(path);
    Decoder decode = nullptr;
    if (extension == "jpg" || extension == "jpeg") {
        decode = DecodeJpeg;
    } else if (extension == "gif") {
        decode = DecodeGif;
    } else if (extension == "bmp") {
        decode = DecodeBmp;
    } else if (extension == "ico") {
        decode = DecodeIco;
    } else if (extension == "png") {
        decode = DecodePng;
    } else {
        return std::nullopt;
    }
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        return std::nullopt;
    }
    const std::vector<uint8_t> data((std::istreambuf_iterator<char>(file)),
                                    std::istreambuf_iterator<char>());
    return decode(data);
}

}  // namespace saver
