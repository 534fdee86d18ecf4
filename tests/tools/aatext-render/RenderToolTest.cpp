#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "aatext/bitmap/PngFile.h"

namespace saver {
namespace {

namespace fs = std::filesystem;

const std::string kTool = std::string(SAVER_BIN_DIR) + "/aatext-render";
const std::string kData = std::string(SAVER_TEST_DATA) + "/aatext/";

struct RenderToolTest : ::testing::Test {
    fs::path dir = fs::temp_directory_path() / ("aatext-render-" + std::to_string(::getpid()));
    void SetUp() override { fs::create_directories(dir); }
    void TearDown() override { fs::remove_all(dir); }

    int Run(const std::string& args) {
        const int status = std::system((kTool + " " + args + " >/dev/null 2>&1").c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    std::string Out(const char* name) const { return (dir / name).string(); }
};

bool HasPixel(const Bitmap24& image, bool (*pred)(Rgb)) {
    for (int y = 0; y < image.Height(); ++y) {
        for (int x = 0; x < image.Width(); ++x) {
            if (pred(image.Pixel(x, y))) {
                return true;
            }
        }
    }
    return false;
}

TEST_F(RenderToolTest, ListPresetDrawsTheTextImageAndOneFrame) {
    ASSERT_EQ(Run("--preset ticker-list " + kData + "ticker-list.txt " + Out("list.png")), 0);
    Bitmap24 image;
    ASSERT_TRUE(ReadPng(Out("list.png"), image));
    EXPECT_EQ(image.Width(), 423);
    EXPECT_GT(image.Height(), 235) << "seven rows and 80 % tail space exceed the area";
    EXPECT_EQ(image.Pixel(0, 0), (Rgb{0, 0, 0}));
    EXPECT_TRUE(HasPixel(image, [](Rgb p) { return p.r > 200 && p.g > 200 && p.b > 200; }));
    EXPECT_TRUE(HasPixel(image, [](Rgb p) { return p.r > 20 && p.r < 200; }))
        << "anti-aliased edges";

    ASSERT_EQ(Run("--preset ticker-list --frame 30 " + kData + "ticker-list.txt " + Out("f.png")),
              0);
    Bitmap24 frame;
    ASSERT_TRUE(ReadPng(Out("f.png"), frame));
    EXPECT_EQ(frame.Width(), 423);
    EXPECT_EQ(frame.Height(), 235);
    // The frame at offset 30 shows row 30 + y of the text image between the faded edges.
    EXPECT_EQ(frame.Pixel(100, 20), image.Pixel(100, 50));
}

TEST_F(RenderToolTest, FontsIniAddsLabelsAndSetsTheDefaultLook) {
    // aqHigh gives full ink, so the label colour appears exactly.
    ASSERT_EQ(Run("--fonts " + kData +
                  "fonts.ini --width 300 --back-color 0x402000 --no-fade "
                  "--quality aqHigh " +
                  kData + "big.txt " + Out("big.png")),
              0);
    Bitmap24 image;
    ASSERT_TRUE(ReadPng(Out("big.png"), image));
    EXPECT_EQ(image.Width(), 300);
    EXPECT_EQ(image.Pixel(0, 0), (Rgb{0, 0x20, 0x40})) << "colour integers are 0x00BBGGRR";
    EXPECT_TRUE(HasPixel(image, [](Rgb p) { return p.r == 255 && p.g == 0 && p.b == 0; }))
        << "the Big label's red";
}

TEST_F(RenderToolTest, BadInputFailsClearlyAndWritesNothing) {
    struct Case {
        const char* name;
        std::string args;
        int code;
    };
    const std::vector<Case> cases = {
        {"unknown option", "--bogus " + kData + "big.txt " + Out("x.png"), 2},
        {"bad quality", "--quality best " + kData + "big.txt " + Out("x.png"), 2},
        {"pitch out of range", "--row-pitch 400 " + kData + "big.txt " + Out("x.png"), 2},
        {"missing output", kData + "big.txt", 2},
        {"missing lines file", kData + "none.txt " + Out("x.png"), 1},
        {"missing fonts file", "--fonts " + kData + "none.ini " + kData + "big.txt " + Out("x.png"),
         1},
        {"unwritable output", kData + "big.txt " + Out("no/such/dir.png"), 1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Run(c.args), c.code) << c.name;
        EXPECT_FALSE(fs::exists(Out("x.png"))) << c.name;
    }
    EXPECT_EQ(Run("--help"), 0);
}

}  // namespace
}  // namespace saver
