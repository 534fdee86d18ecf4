#include <gtest/gtest.h>

#include "MaskTestUtil.h"
#include "aatext/effects/EInvalidForeBmp.h"
#include "aatext/font/TAAFont.h"

namespace saver {
namespace {

using test::MakeMask;

struct BlendFixture : ::testing::Test {
    Bitmap24 target{3, 1};
    TCanvas canvas{&target, TFont{}, TBrush{clWhite, bsClear}};
    TAAFont font{&canvas};

    void SetUp() override { target.Fill(Rgb{100, 200, 50}); }
};

TEST_F(BlendFixture, WeightsFollowMaskAndAlpha) {
    struct Case {
        const char* name;
        int mask;
        int alpha;
        int expected_red;  // target red 100 blended towards source red 0 or 255
        TColor source;
    };
    const std::vector<Case> cases = {
        {"alpha 0 changes nothing", 255, 0, 100, 0x0000FF},
        {"full ink, full alpha paints the colour", 255, 100, 255, 0x0000FF},
        // A = 256, w = 128: 100 + floor(155 * 128 / 256) = 177
        {"half ink", 128, 100, 177, 0x0000FF},
        // A = 128, w = 127: 100 + floor(-100 * 127 / 256) = 100 - 50 (floor of -49.6)
        {"darkening rounds down", 255, 50, 50, 0x000000},
        // w = (1 * 256) >> 8 = 1: 100 + floor(155 / 256) = 100
        {"faint ink leaves it", 1, 100, 100, 0x0000FF},
    };
    for (const Case& c : cases) {
        SetUp();
        font.Blend().BlendColor(1, 0, MakeMask(1, 1, {c.mask}), c.alpha, c.source);
        EXPECT_EQ(target.Pixel(1, 0).r, c.expected_red) << c.name;
        EXPECT_EQ(target.Pixel(0, 0), (Rgb{100, 200, 50})) << c.name << ": outside the box";
    }
}

TEST_F(BlendFixture, SolidBrushFillsTheBoxFirst) {
    canvas.Brush = TBrush{0x000000, bsSolid};
    font.Blend().BlendColor(0, 0, MakeMask(2, 1, {0, 255}), 100, 0xFFFFFF);
    EXPECT_EQ(target.Pixel(0, 0), (Rgb{0, 0, 0}));
    EXPECT_EQ(target.Pixel(1, 0), (Rgb{255, 255, 255}));
    EXPECT_EQ(target.Pixel(2, 0), (Rgb{100, 200, 50}));
}

TEST_F(BlendFixture, BitmapTakesColoursPerPixelAndMustFitTheMask) {
    TAAMask mask = MakeMask(2, 1, {255, 255});
    Bitmap24& fore = font.Blend().ForeBitmap();
    fore.SetSize(2, 1);
    fore.SetPixel(0, 0, Rgb{1, 2, 3});
    fore.SetPixel(1, 0, Rgb{4, 5, 6});
    font.Blend().BlendBitmap(1, 0, mask, 100);
    EXPECT_EQ(target.Pixel(1, 0), (Rgb{1, 2, 3}));
    EXPECT_EQ(target.Pixel(2, 0), (Rgb{4, 5, 6}));

    fore.SetSize(3, 1);
    try {
        font.Blend().BlendBitmap(0, 0, mask, 100);
        ADD_FAILURE() << "a foreground wider than the mask was accepted";
    } catch (const EInvalidForeBmp& e) {
        EXPECT_STREQ(e.what(), "Invalid foreground bitmap!");
    }
}

TEST_F(BlendFixture, BoxesPartlyOutsideTheCanvasAreClipped) {
    font.Blend().BlendColor(-1, -1, MakeMask(5, 3, std::vector<int>(15, 255)), 100, 0);
    for (int x = 0; x < 3; ++x) {
        EXPECT_EQ(target.Pixel(x, 0), (Rgb{0, 0, 0}));
    }
}

}  // namespace
}  // namespace saver
