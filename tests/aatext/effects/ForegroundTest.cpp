#include <gtest/gtest.h>

#include "aatext/effects/Foregrounds.h"

namespace saver {
namespace {

TEST(GradientRamp, EntriesStepTowardsButNeverReachTheLastColour) {
    struct Case {
        const char* name;
        TGradualStyle style;
        int length;
        std::vector<int> reds;  // start red 0 (start colour black), end red 100
    };
    const std::vector<Case> cases = {
        {"left to right", gsLeftToRight, 4, {0, 25, 50, 75}},
        {"right to left starts at the end colour", gsRightToLeft, 4, {100, 75, 50, 25}},
        {"top to bottom", gsTopToBottom, 3, {0, 33, 66}},
        // n = (5 + 1) div 2 = 3 steps from the end colour: 100, 67, 34, mirrored.
        {"centre, odd length", gsCenterToLR, 5, {100, 67, 34, 67, 100}},
        {"centre, even length", gsCenterToTB, 4, {100, 50, 50, 100}},
    };
    for (const Case& c : cases) {
        TAAGradual gradual;
        gradual.SetStyle(c.style);
        gradual.SetStartColor(RgbToColor(0, 0, 0));
        gradual.SetEndColor(RgbToColor(100, 0, 0));
        std::vector<int> reds;
        for (const Rgb& entry : GradientRamp(c.length, gradual)) {
            reds.push_back(entry.r);
        }
        EXPECT_EQ(reds, c.reds) << c.name;
    }
}

TEST(GradientForeground, CentreStyleIsDarkAtBothEdgesAndNearWhiteInTheMiddle) {
    TAAGradual gradual;
    gradual.SetStyle(gsCenterToLR);  // start white, end black by default
    Bitmap24 fore;
    BuildGradientForeground(fore, 100, 2, gradual);
    EXPECT_EQ(fore.Pixel(0, 1), (Rgb{0, 0, 0}));
    EXPECT_EQ(fore.Pixel(99, 1), (Rgb{0, 0, 0}));
    EXPECT_EQ(fore.Pixel(49, 0), fore.Pixel(50, 0));
    EXPECT_GE(fore.Pixel(49, 0).r, 245);

    gradual.SetStyle(gsTopToBottom);
    BuildGradientForeground(fore, 3, 4, gradual);
    EXPECT_EQ(fore.Pixel(0, 1), fore.Pixel(2, 1)) << "vertical styles colour whole rows";
    EXPECT_EQ(fore.Pixel(0, 1).r, 255 - 255 / 4);
}

TEST(TextureForeground, LargePictureCentredAtANegativeOffsetShowsItsMiddle) {
    Bitmap24 picture(6, 6);
    for (int y = 0; y < 6; ++y) {
        for (int x = 0; x < 6; ++x) {
            picture.SetPixel(x, y, Rgb{static_cast<uint8_t>(x), static_cast<uint8_t>(y), 9});
        }
    }
    TAATexture texture;
    texture.SetMode(tmCenter);
    texture.Picture().SetBitmap(picture);
    Bitmap24 fore;
    BuildTextureForeground(fore, 2, 3, Rgb{}, texture);
    // Offsets (2 - 6) div 2 = -2 and (3 - 6) div 2 = -1 (halving towards zero).
    EXPECT_EQ(fore.Pixel(0, 0), (Rgb{2, 1, 9}));
    EXPECT_EQ(fore.Pixel(1, 2), (Rgb{3, 3, 9}));
}

TEST(TextureForeground, SmallPictureModesPlaceItOverTheFontColour) {
    Bitmap24 picture(2, 1);
    picture.SetPixel(0, 0, Rgb{10, 10, 10});
    picture.SetPixel(1, 0, Rgb{20, 20, 20});
    TAATexture texture;
    texture.Picture().SetBitmap(picture);
    const Rgb font{7, 7, 7};
    struct Case {
        TTextureMode mode;
        std::vector<int> row0;  // red of the 5 pixels of row 0
        int row1_first;
    };
    const std::vector<Case> cases = {
        {tmTiled, {10, 20, 10, 20, 10}, 10},
        {tmNormal, {10, 20, 7, 7, 7}, 7},
        {tmCenter, {7, 10, 20, 7, 7}, 7},  // x = (5 - 2) div 2 = 1, y = (2 - 1) div 2 = 0
        {tmStretched, {10, 10, 10, 20, 20}, 10},
    };
    for (const Case& c : cases) {
        texture.SetMode(c.mode);
        Bitmap24 fore;
        BuildTextureForeground(fore, 5, 2, font, texture);
        std::vector<int> row0;
        for (int x = 0; x < 5; ++x) {
            row0.push_back(fore.Pixel(x, 0).r);
        }
        EXPECT_EQ(row0, c.row0) << c.mode;
        EXPECT_EQ(fore.Pixel(0, 1).r, c.row1_first) << c.mode;
    }
}

TEST(Noise, RangeOneChangesNothingWiderRangesStayWithinTheirBounds) {
    EffectRandom random;
    random.Seed(3);
    Bitmap24 fore;
    BuildNoiseForeground(fore, 8, 8, Rgb{0, 128, 255}, 1, random);
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) {
            ASSERT_EQ(fore.Pixel(x, y), (Rgb{0, 128, 255}));
        }
    }
    // Range 10: terms from -5 to 4, clamped at the byte's ends.
    AddNoise(fore, 10, random);
    bool changed = false;
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) {
            const Rgb p = fore.Pixel(x, y);
            EXPECT_LE(p.r, 4);
            EXPECT_TRUE(p.g >= 123 && p.g <= 132) << int(p.g);
            EXPECT_GE(p.b, 250);
            changed = changed || p.g != 128;
        }
    }
    EXPECT_TRUE(changed);
}

}  // namespace
}  // namespace saver
