#include <algorithm>

#include "ScrollTextFixture.h"
#include "aatext/text/TextRows.h"

namespace saver {
namespace {

using LayoutTest = test::ScrollTextFixture;

// The leftmost column with ink in rows top .. bottom - 1 of the text image (ink: a pixel
// darker than the white background), or -1.
int LeftmostInk(const Bitmap24& image, int top, int bottom) {
    int left = -1;
    for (int y = top; y < bottom; ++y) {
        for (int x = 0; x < image.Width(); ++x) {
            if (image.Pixel(x, y).r < 128 && (left < 0 || x < left)) {
                left = x;
            }
        }
    }
    return left;
}

TEST_F(LayoutTest, EmptyLinesGiveFadeHeadAndTailSpaceAtLeastTheClientHeight) {
    text.SetSize(200, 100);
    text.Text().SetLines({});
    text.Text().SetHeadSpace(50);
    text.Text().SetTailSpace(150);
    text.Loaded();
    // 10 (fade) + 100 * 50 / 100 + 100 * 150 / 100
    EXPECT_EQ(text.TextImage().Height(), 10 + 50 + 150);
    EXPECT_EQ(text.TextImage().Width(), 200);
    text.Text().SetTailSpace(0);
    text.Text().SetHeadSpace(0);
    EXPECT_EQ(text.TextImage().Height(), 100) << "never below the client height";
    EXPECT_EQ(text.TextImage().Pixel(5, 5), (Rgb{255, 255, 255}));
}

TEST_F(LayoutTest, HeightSumsPitchedRowsOfEveryLine) {
    text.SetSize(300, 40);
    text.Text().SetTailSpace(0);
    text.Text().SetFade(false);
    const TFont tiny{.Name = "DejaVu Sans", .Height = 3};
    text.Fonts().Add("line").SetFont(tiny);
    text.Text().SetLines({"First", "two\r\nrows", "<line>"});
    text.Loaded();
    const int first = LineHeight("First");
    const int two_rows = 2 * LineHeight("two\r\nrows");
    const int line = LineHeight("", &tiny);
    EXPECT_LT(line, first / 2);
    EXPECT_EQ(text.TextImage().Height(), first + two_rows + line);

    text.Text().SetRowPitch(-100);  // every row at the same y: no height at all
    EXPECT_EQ(text.TextImage().Height(), 40);
}

TEST_F(LayoutTest, ParameterRangesAndTheMinimumSize) {
    text.Text().SetHeadSpace(200);
    EXPECT_EQ(text.Text().HeadSpace(), 150);
    text.Text().SetHeadSpace(-5);
    EXPECT_EQ(text.Text().HeadSpace(), 0);
    text.Text().SetRowPitch(500);
    EXPECT_EQ(text.Text().RowPitch(), 150);
    text.SetSize(10, 10);
    EXPECT_EQ(text.Width(), 20);
    EXPECT_EQ(text.Height(), 20);
}

TEST_F(LayoutTest, AlignmentTagsHoldUntilTheNextOrForOneLine) {
    text.SetSize(300, 40);
    text.Text().SetFade(false);
    text.Text().SetRowPitch(0);
    text.Text().SetAlignment(taLeftJustify);
    text.Labels().AddStandardLabels();
    text.Text().SetLines({"<Right>AAA", "BBB", "<Center>CCC"});
    struct Case {
        TLabelEffect effect;
        bool second_right;  // is the plain second line right-aligned?
    };
    for (const Case& c : {Case{leUntilNextLabel, true}, Case{leOnlyALine, false}}) {
        text.Text().SetLabelEffect(c.effect);
        text.Loaded();
        const int h = LineHeight("AAA");
        EXPECT_GT(LeftmostInk(text.TextImage(), 0, h), 200) << c.effect;
        EXPECT_EQ(LeftmostInk(text.TextImage(), h, 2 * h) > 200, c.second_right) << c.effect;
        const int centre = LeftmostInk(text.TextImage(), 2 * h, 3 * h);
        EXPECT_TRUE(centre > 100 && centre < 150) << c.effect << " " << centre;
    }
}

TEST_F(LayoutTest, WordWrapBreaksRowsWiderThanTheControl) {
    text.SetSize(120, 40);
    text.Text().SetFade(false);
    text.Text().SetTailSpace(0);
    text.Text().SetRowPitch(0);
    const std::string line =
        "one two three four five six seven eight nine ten eleven twelve thirteen";
    text.Text().SetLines({line});
    text.Loaded();
    const int one_row = LineHeight(line);
    text.Text().SetWordWrap(true);
    EXPECT_GE(text.TextImage().Height(), 3 * one_row);
    // Every wrapped row fits: no ink beyond the last column but one.
    for (int y = 0; y < text.TextImage().Height(); ++y) {
        EXPECT_EQ(text.TextImage().Pixel(119, y), (Rgb{255, 255, 255}));
    }
}

TEST_F(LayoutTest, ChangesRebuildOnlyWhenLoadedAndNotUpdating) {
    int builds = 0;
    text.OnTextReady = [&](TAAScrollText&) { ++builds; };
    text.Text().SetLines({"a"});
    EXPECT_EQ(builds, 0) << "not loaded yet";
    text.Paint();  // the first paint loads the control
    EXPECT_EQ(builds, 1);
    text.BeginUpdate();
    text.Text().SetLines({"b"});
    text.SetColor(0x00FF00);
    text.EndUpdate();
    EXPECT_EQ(builds, 1);
    text.SetAutoUpdate(false);
    text.Text().SetRowPitch(30);
    EXPECT_EQ(builds, 1);
    text.SetAutoUpdate(true);
    text.SetSize(text.Width(), text.Height());  // same size: no change
    text.SetScrollDelay(10);
    text.SetScrollStep(3);
    text.SetActive(false);
    EXPECT_EQ(builds, 1);
    text.SetRepeatCount(2);
    text.Fonts().Add("x");
    EXPECT_EQ(builds, 3);
}

TEST_F(LayoutTest, RebuildRestoresActiveAndShowsTheTop) {
    text.SetSize(100, 50);
    text.Text().SetLines({"a", "b", "c", "d", "e", "f"});
    EXPECT_TRUE(text.Active());
    text.Loaded();
    EXPECT_TRUE(text.Active());
    EXPECT_EQ(text.ScrollOffset(), 0);
    EXPECT_EQ(text.CycleCounter(), -1);
    EXPECT_GE(frames, 1);
    EXPECT_EQ(text.FrameImage().Width(), 100);
    EXPECT_EQ(text.FrameImage().Height(), 50);
}

}  // namespace
}  // namespace saver
