#include <gtest/gtest.h>

#include <cctype>

#include "pictures/Picture.h"

namespace saver {
namespace {

const std::string kPictures = std::string(SAVER_TEST_DATA) + "/pictures/";

struct PictureCase {
    const char* file;
    int width;  // 0: must not load
    int height;
};

const PictureCase kCases[] = {
    {"red.jpg", 6, 4},
    {"red.gif", 6, 4},
    {"red-interlaced.gif", 6, 4},  // rows stored in four passes
    {"red4.bmp", 6, 4},            // 4 bits a pixel with a colour table
    {"red24.bmp", 6, 4},           // bottom-up rows, 4-byte row padding
    {"red32.bmp", 6, 4},           // newer header, bit fields, alpha
    {"red.ico", 16, 16},           // picture plus transparency mask
    {"red.png", 6, 4},             // 8-bit colour with alpha
    {"red-interlaced.png", 6, 4},  // colour table, rows stored in seven passes
    {"truncated.bmp", 0, 0},       // the rows are missing
    {"truncated.jpg", 0, 0},       // ends inside the compressed data
    {"truncated.png", 0, 0},       // ends inside the compressed data
    {"huge.png", 0, 0},            // well-formed but 100000 pixels wide
    {"text.gif", 0, 0},            // no GIF signature
    {"missing.jpg", 0, 0},         // no such file
};

class LoadPictureTest : public ::testing::TestWithParam<PictureCase> {};

TEST_P(LoadPictureTest, DecodesByExtension) {
    const PictureCase& row = GetParam();
    const std::optional<Picture> picture = LoadPicture(kPictures + row.file);
    if (row.width == 0) {
        EXPECT_FALSE(picture.has_value()) << row.file;
        return;
    }
    ASSERT_TRUE(picture.has_value()) << row.file;
    EXPECT_EQ(picture->width, row.width);
    EXPECT_EQ(picture->height, row.height);
    // The top left pixel is blue, the rest red (JPEG only roughly).
    const auto at = [&](int x, int y) { return &picture->rgb[(y * picture->width + x) * 3]; };
    EXPECT_LT(at(0, 0)[0], 60) << row.file;
    EXPECT_GT(at(0, 0)[2], 190) << row.file;
    EXPECT_GT(at(3, 2)[0], 190) << row.file;
    EXPECT_LT(at(3, 2)[2], 60) << row.file;
}

INSTANTIATE_TEST_SUITE_P(Files, LoadPictureTest, ::testing::ValuesIn(kCases), [](const auto& info) {
    std::string name = info.param.file;
    for (char& c : name) {
        c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
    }
    return name;
});

TEST(LoadPictureTest, ExtensionDecidesNotContent) {
    // A bitmap named as a JPEG is no JPEG.
    EXPECT_FALSE(DecodeJpeg(std::vector<uint8_t>{'B', 'M', 0, 0}).has_value());
    EXPECT_FALSE(LoadPicture(kPictures + "red24").has_value());
}

TEST(LoadPictureTest, RefusesHugeOrBrokenBitmapHeaders) {
    std::vector<uint8_t> bmp(54, 0);
    bmp[0] = 'B';
    bmp[1] = 'M';
    bmp[10] = 54;
    bmp[14] = 40;
    const auto set32 = [&](size_t at, uint32_t value) {
        for (int i = 0; i < 4; ++i) {
            bmp[at + i] = static_cast<uint8_t>(value >> (8 * i));
        }
    };
    set32(18, 100000);  // width beyond any screen
    set32(22, 1);
    bmp[28] = 24;
    EXPECT_FALSE(DecodeBmp(bmp).has_value());
    set32(18, 1);
    bmp[30] = 1;  // run-length compression is not read
    EXPECT_FALSE(DecodeBmp(bmp).has_value());
}

}  // namespace
}  // namespace saver
