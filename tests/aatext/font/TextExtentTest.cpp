#include <gtest/gtest.h>

#include "FixedFontEngine.h"
#include "aatext/effects/TAAFontEx.h"

namespace saver {
namespace {

struct ExtentFixture : ::testing::Test {
    test::FixedFontEngine engine{20, 15};
    Bitmap24 bitmap{10, 10};
    TCanvas canvas{&bitmap, TFont{}, TBrush{}};
    TAAFontEx font{&canvas, engine};
};

TEST_F(ExtentFixture, ItalicAddsThreeTenthsOfTheAverageCharacter) {
    struct Case {
        const char* text;
        bool italic;
        Size expected;
    };
    const std::vector<Case> cases = {
        {"abcdefghij", false, {200, 15}},
        {"abcdefghij", true, {206, 15}},        // 200 + 200 / 10 * 0.3
        {"ab", true, {46, 15}},                 // 40 + 6
        {"", true, {0, 15}},                    // no characters: nothing added
        {"\xc3\xa9t\xc3\xa9", true, {66, 15}},  // three characters, not five bytes
    };
    for (const Case& c : cases) {
        canvas.Font.Italic = c.italic;
        EXPECT_EQ(font.TextExtent(c.text), c.expected) << c.text;
    }
}

TEST_F(ExtentFixture, ScaledExtentIsRoundedUpPerQuality) {
    // The engine's own figures are exact multiples, so every quality gives the same size.
    for (TAAQuality quality : {aqNone, aqLow, aqNormal, aqHigh}) {
        font.SetQuality(quality);
        EXPECT_EQ(font.TextExtent("abc"), (Size{60, 15})) << quality;
    }
}

TEST_F(ExtentFixture, RotationGivesTheBoundingBoxAndTheOriginOfTheFirstCorner) {
    struct Case {
        int angle;
        Size extent;
        Point origin;
    };
    // "abcd": 80 x 15, half sizes 40 and 7.5.
    const std::vector<Case> cases = {
        {0, {80, 15}, {0, 0}},
        // 90 degrees: the first corner (-40, -7.5) goes to (-7.5, 40) -> (-8, 40);
        // the box is 15 x 80 (-8 .. 8 rounds to a width of 16).
        {90, {16, 80}, {0, 80}},
        {180, {80, 16}, {80, 16}},
        // -90 degrees: the first corner lands at 7.5 - epsilon, which rounds to 7.
        {-90, {16, 80}, {15, 0}},
    };
    for (const Case& c : cases) {
        font.Effect().SetAngle(c.angle);
        EXPECT_EQ(font.TextExtent("abcd"), c.extent) << c.angle;
        canvas.Font.Escapement = c.angle * 10;
        Point origin;
        EXPECT_EQ(font.BaseExtent("abcd", &origin), c.extent) << c.angle;
        EXPECT_EQ(origin, c.origin) << c.angle;
        canvas.Font.Escapement = 0;
    }
    EXPECT_EQ(canvas.Font.Escapement, 0) << "TextExtent restores the canvas font";
}

TEST_F(ExtentFixture, ShadowOffsetsWidenTheBox) {
    font.Effect().Shadow().SetOffsetX(-3);
    font.Effect().Shadow().SetOffsetY(2);
    EXPECT_EQ(font.TextExtent("ab"), (Size{40, 15})) << "disabled shadow takes no room";
    font.Effect().Shadow().SetEnabled(true);
    EXPECT_EQ(font.TextExtent("ab"), (Size{43, 17}));
    EXPECT_EQ(font.TextWidth("ab"), 43);
    EXPECT_EQ(font.TextHeight("ab"), 17);
}

TEST(TextExtentWithoutCanvas, IsZero) {
    TAAFontEx font(nullptr);
    EXPECT_EQ(font.TextExtent("abc"), (Size{0, 0}));
    font.TextOut(0, 0, "abc");  // does nothing, does not crash
}

}  // namespace
}  // namespace saver
