#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace saver {

// A decoded picture: rows top to bottom, 3 bytes (red, green, blue) a pixel.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgb;
};

// The largest picture any loader accepts, per side; bigger ones are refused rather than
// risking memory on a hostile file.
inline constexpr int kMaxPictureSide = 16384;

// Loads a picture file by its extension, letter case ignored: "jpg" and "jpeg", "gif",
// "bmp", "ico" and "png". nullopt for other extensions and for files that do not decode.
std::optional<Picture> LoadPicture(const std::string& path);

std::optional<Picture> DecodeJpeg(const std::vector<uint8_t>& data);
std::optional<Picture> DecodeGif(const std::vector<uint8_t>& data);
std::optional<Picture> DecodeBmp(const std::vector<uint8_t>& data);
std::optional<Picture> DecodeIco(const std::vector<uint8_t>& data);
std::optional<Picture> DecodePng(const std::vector<uint8_t>& data);

}  // namespace saver
