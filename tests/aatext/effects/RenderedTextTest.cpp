#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "aatext/effects/TAAFontEx.h"

namespace saver {
namespace {

// Rendering with the installed fonts: checked by properties that hold for any version
// of the fonts, never by exact pixels.
struct RenderFixture : ::testing::Test {
    Bitmap24 bitmap{400, 200};
    TCanvas canvas{&bitmap, TFont{}, TBrush{clWhite, bsSolid}};
    TAAFontEx font{&canvas};

    void SetUp() override {
        bitmap.Fill(Rgb{255, 255, 255});
        canvas.Font.Name = "Arial";
        canvas.Font.Height = 30;
        canvas.Font.Color = clBlack;
    }

    std::set<int> CoverageValues(TAAQuality quality, const std::string& text) {
        font.SetQuality(quality);
        font.Mask().RenderText(text);
        std::set<int> values;
        for (int y = 0; y < font.Mask().Height(); ++y) {
            for (int x = 0; x < font.Mask().Width(); ++x) {
                values.insert(font.Mask().MaskRow(y)[x]);
            }
        }
        return values;
    }

    // The bounding box of the pixels that satisfy pred, as (left, top, right, bottom).
    template <typename Pred>
    std::array<int, 4> Box(Pred pred) const {
        std::array<int, 4> box{bitmap.Width(), bitmap.Height(), -1, -1};
        for (int y = 0; y < bitmap.Height(); ++y) {
            for (int x = 0; x < bitmap.Width(); ++x) {
                if (pred(bitmap.Pixel(x, y))) {
                    box = {std::min(box[0], x), std::min(box[1], y), std::max(box[2], x),
                           std::max(box[3], y)};
                }
            }
        }
        return box;
    }
};

TEST_F(RenderFixture, QualityDecidesTheCoverageLevels) {
    const std::string text = "Quality Wg";
    const std::set<int> none = CoverageValues(aqNone, text);
    EXPECT_EQ(none, (std::set<int>{0, 255}));
    const std::set<int> normal = CoverageValues(aqNormal, text);
    EXPECT_EQ(*normal.rbegin(), 254);
    EXPECT_GT(normal.size(), 8u);
    const std::set<int> high = CoverageValues(aqHigh, text);
    EXPECT_EQ(*high.rbegin(), 255);
    EXPECT_GT(high.size(), 10u);
}

TEST_F(RenderFixture, MaskHasTheExtentAndInkStaysInside) {
    font.SetQuality(aqHigh);
    const Size extent = font.TextExtent("Hello");
    font.Mask().RenderText("Hello");
    EXPECT_EQ(font.Mask().Width(), extent.cx);
    EXPECT_EQ(font.Mask().Height(), extent.cy);
    EXPECT_GT(extent.cx, 40);
    EXPECT_LT(extent.cx, 90);
    EXPECT_GE(extent.cy, 30);
}

TEST_F(RenderFixture, BoldAndItalicWidenTheString) {
    const int regular = font.TextWidth("Bold text");
    canvas.Font.Weight = FW_BOLD;
    EXPECT_GT(font.TextWidth("Bold text"), regular);
    canvas.Font.Weight = FW_NORMAL;
    canvas.Font.Italic = true;
    EXPECT_GT(font.TextWidth("Bold text"), regular);
}

TEST_F(RenderFixture, AngleNinetyReadsUpwardsFromTheBottomLeft) {
    // A heavy first character and a light last one: the ink sits where the string starts.
    font.SetQuality(aqLow);
    const std::string text = "W......";
    const Size flat = font.TextExtent(text);
    font.Effect().SetAngle(90);
    const Size upright = font.TextExtent(text);
    EXPECT_NEAR(upright.cx, flat.cy, 1);
    EXPECT_NEAR(upright.cy, flat.cx, 1);
    font.TextOut(0, 0, text);
    const auto ink = [](Rgb p) { return p.r < 128; };
    const auto all = Box(ink);
    EXPECT_GE(all[3], upright.cy * 3 / 4) << "ink reaches the bottom of the box";
    int lower = 0;
    int upper = 0;
    for (int y = 0; y < upright.cy; ++y) {
        for (int x = 0; x < upright.cx; ++x) {
            (y > upright.cy / 2 ? lower : upper) += ink(bitmap.Pixel(x, y)) ? 1 : 0;
        }
    }
    EXPECT_GT(lower, 2 * upper);
    EXPECT_EQ(canvas.Font.Escapement, 0) << "TextOut restores the canvas font";
}

TEST_F(RenderFixture, ShadowIsPlacedByItsOffsetsAndTheTextAvoidsIt) {
    canvas.Font.Color = RgbToColor(0, 0, 255);
    font.SetQuality(aqNone);
    font.TextOut(20, 20, "Shadow");
    const auto blue = [](Rgb p) { return p.b == 255 && p.r == 0; };
    const auto plain = Box(blue);

    bitmap.Fill(Rgb{255, 255, 255});
    TAAShadow& shadow = font.Effect().Shadow();
    shadow.SetEnabled(true);
    shadow.SetBlur(0);
    shadow.SetAlpha(100);
    shadow.SetColor(RgbToColor(255, 0, 0));
    shadow.SetOffsetX(-3);
    shadow.SetOffsetY(2);
    font.TextOut(20, 20, "Shadow");
    const auto text = Box(blue);
    const auto shade = Box([](Rgb p) { return p.r == 255 && p.g == 0; });
    EXPECT_EQ(text[0], plain[0] + 3);
    EXPECT_EQ(text[1], plain[1]);
    EXPECT_EQ(shade[0], plain[0]);
    EXPECT_EQ(shade[1], plain[1] + 2);
}

TEST_F(RenderFixture, ShadowAlphaIsAPercentOfTheTextAlpha) {
    canvas.Font.Name = "DejaVu Sans";
    canvas.Font.Weight = FW_BOLD;
    canvas.Font.Height = 60;
    font.SetQuality(aqHigh);
    font.Effect().SetAlpha(80);
    TAAShadow& shadow = font.Effect().Shadow();
    shadow.SetEnabled(true);
    shadow.SetBlur(0);
    shadow.SetAlpha(90);
    shadow.SetColor(RgbToColor(255, 0, 0));
    shadow.SetOffsetX(20);
    shadow.SetOffsetY(0);
    font.TextOut(10, 10, "I");
    // Full shadow ink at 72 percent: A = 184, w = 183; green 255 + floor(-255 * 183 / 256).
    int darkest_green = 255;
    for (int y = 0; y < bitmap.Height(); ++y) {
        for (int x = 0; x < bitmap.Width(); ++x) {
            const Rgb p = bitmap.Pixel(x, y);
            if (p.r == 255) {
                darkest_green = std::min<int>(darkest_green, p.g);
            }
        }
    }
    EXPECT_EQ(darkest_green, 255 - 183);
}

TEST_F(RenderFixture, ZeroAlphaDrawsNothingAndFullCoveragePaintsTheExactColour) {
    canvas.Brush.Style = bsClear;
    canvas.Font.Color = RgbToColor(10, 20, 30);
    font.SetQuality(aqHigh);
    font.Effect().SetAlpha(0);
    font.TextOut(5, 5, "Nothing");
    EXPECT_EQ(Box([](Rgb p) { return p.r != 255; })[2], -1);
    font.Effect().SetAlpha(100);
    canvas.Font.Height = 60;
    font.TextOut(5, 5, "H");
    EXPECT_EQ(Box([](Rgb p) { return p == Rgb{10, 20, 30}; })[2] >= 0, true);
}

TEST_F(RenderFixture, TextureBeatsGradientWhichBeatsNoiseAndPlainColour) {
    canvas.Font.Name = "DejaVu Sans";
    canvas.Font.Height = 60;
    canvas.Font.Color = RgbToColor(200, 0, 0);
    font.SetQuality(aqHigh);
    const std::string block = "\u2588";  // a full block: full coverage in its middle
    const Size box = font.TextExtent(block);
    Bitmap24 green(1, 1);
    green.SetPixel(0, 0, Rgb{0, 255, 0});
    TAAEffect& effect = font.Effect();
    struct Case {
        const char* name;
        bool texture;
        bool picture;
        bool gradient;
        int noise;
        Rgb centre;
    };
    const std::vector<Case> cases = {
        {"texture first", true, true, true, 0, {0, 255, 0}},
        {"an empty texture is passed over", true, false, true, 0, {0, 0, 255}},
        {"gradient", false, false, true, 0, {0, 0, 255}},
        {"noise of range 1 keeps the font colour", false, false, false, 1, {200, 0, 0}},
        {"plain font colour", false, false, false, 0, {200, 0, 0}},
    };
    effect.Gradual().SetStartColor(RgbToColor(0, 0, 255));
    effect.Gradual().SetEndColor(RgbToColor(0, 0, 255));
    for (const Case& c : cases) {
        bitmap.Fill(Rgb{255, 255, 255});
        effect.Texture().SetEnabled(c.texture);
        effect.Texture().Picture().SetBitmap(c.picture ? green : Bitmap24());
        effect.Gradual().SetEnabled(c.gradient);
        effect.SetNoise(c.noise);
        font.TextOut(0, 0, block);
        EXPECT_EQ(bitmap.Pixel(box.cx / 2, box.cy / 2), c.centre) << c.name;
    }
}

TEST_F(RenderFixture, HorizontalMirrorMovesTheHeavyEndToTheRight) {
    font.SetQuality(aqLow);
    font.Effect().SetHorzMirror(true);
    const std::string text = "W......";
    const Size box = font.TextExtent(text);
    font.TextOut(0, 0, text);
    int left = 0;
    int right = 0;
    for (int y = 0; y < box.cy; ++y) {
        for (int x = 0; x < box.cx; ++x) {
            (x < box.cx / 2 ? left : right) += bitmap.Pixel(x, y).r < 128 ? 1 : 0;
        }
    }
    EXPECT_GT(right, 2 * left);
}

TEST_F(RenderFixture, FaceNamesResolveThroughSubstitution) {
    for (const char* name : {"Arial", "Verdana", "MS PGothic", "Small Fonts"}) {
        TFont f;
        f.Name = name;
        EXPECT_FALSE(SharedFontEngine().FaceFile(f).empty()) << name;
    }
}

}  // namespace
}  // namespace saver
