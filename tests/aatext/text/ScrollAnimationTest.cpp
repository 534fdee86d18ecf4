#include "ScrollTextFixture.h"

namespace saver {
namespace {

struct ScrollTest : test::ScrollTextFixture {
    void SetUp() override {
        text.SetSize(60, 40);
        text.Text().SetLines({});
        text.Text().SetTailSpace(150);  // an image 10 + 60 = 70 rows tall, no text
        text.SetScrollDelay(30);
        text.Loaded();
        ASSERT_EQ(text.TextImage().Height(), 70);
    }
};

TEST_F(ScrollTest, FirstTickPausesThenTheTextMovesOneStepPerTick) {
    text.SetRepeatDelay(100);
    Tick(30);  // cycle 0 begins: pause
    EXPECT_EQ(text.CycleCounter(), 0);
    EXPECT_EQ(text.ScrollOffset(), 0);
    Tick(30);
    Tick(30);
    EXPECT_EQ(text.ScrollOffset(), 0) << "paused";
    Tick(40);  // 100 ms after the pause began: DelayEnd moves one step
    EXPECT_EQ(text.ScrollOffset(), 1);
    Tick(29);
    EXPECT_EQ(text.ScrollOffset(), 1) << "the animation restarts one ScrollDelay later";
    Tick(1);
    EXPECT_EQ(text.ScrollOffset(), 2);
    Tick(100);  // late: one step, never caught up
    EXPECT_EQ(text.ScrollOffset(), 3);
}

TEST_F(ScrollTest, RepeatCountRunsExactCyclesAndCompletesOnce) {
    text.SetRepeatDelay(0);
    text.SetScrollStep(10);
    int completed = 0;
    text.OnComplete = [&](TAAScrollText&) { ++completed; };
    text.SetRepeatCount(2);  // rebuilds: offset 0, counter -1
    std::vector<int> offsets;
    for (int i = 0; i < 20 && text.Active(); ++i) {
        Tick(30);
        offsets.push_back(text.ScrollOffset());
    }
    // Each cycle: 10, 20 .. 60, then 70 would reach the end: back to 0.
    const std::vector<int> cycle = {10, 20, 30, 40, 50, 60, 0};
    std::vector<int> expected = cycle;
    expected.insert(expected.end(), cycle.begin(), cycle.end());
    expected.push_back(0);  // the tick that counts cycle 2 stops
    EXPECT_EQ(offsets, expected);
    EXPECT_FALSE(text.Active());
    EXPECT_EQ(completed, 1);
    EXPECT_EQ(text.CycleCounter(), -1);
    Tick(30);
    EXPECT_EQ(completed, 1);
}

TEST_F(ScrollTest, StepZeroCountsACycleEveryTickAndNegativeStepsWrapToTheBottom) {
    text.SetRepeatDelay(0);
    text.SetScrollStep(0);
    Tick(30);
    Tick(30);
    Tick(30);
    EXPECT_EQ(text.ScrollOffset(), 0);
    EXPECT_EQ(text.CycleCounter(), 2);

    text.SetScrollStep(-1);
    text.SetRepeatDelay(50);
    Tick(30);  // offset 0: a cycle begins and pauses
    Tick(50);  // DelayEnd: 0 - 1 wraps to the last row
    EXPECT_EQ(text.ScrollOffset(), 69);
    Tick(30);
    EXPECT_EQ(text.ScrollOffset(), 68);
}

TEST_F(ScrollTest, DeactivatingDuringThePauseStopsItAndResumesFromTheSameOffset) {
    text.SetRepeatDelay(100);
    text.SetScrollStep(5);
    Tick(30);  // pause
    text.SetActive(false);
    Tick(200);
    EXPECT_EQ(text.ScrollOffset(), 0);
    text.SetActive(true);
    Tick(29);
    EXPECT_EQ(text.CycleCounter(), 0);
    Tick(1);  // one ScrollDelay after activation: at offset 0 again, so a new cycle pauses
    EXPECT_EQ(text.CycleCounter(), 1);
}

TEST_F(ScrollTest, SetScrollOffsetTakesTheModuloAndDrawsAFrameAtOnce) {
    const int before = frames;
    text.SetScrollOffset(75);
    EXPECT_EQ(text.ScrollOffset(), 5);
    EXPECT_EQ(frames, before + 1);
    text.SetScrollOffset(-3);
    EXPECT_EQ(text.ScrollOffset(), 67);
    text.SetScrollOffset(67);
    EXPECT_EQ(frames, before + 2) << "no change, no frame";
}

TEST_F(ScrollTest, TwoControlsRunIndependentlyOnOneManager) {
    TAAScrollText other(timers);
    other.SetSize(60, 40);
    other.Text().SetLines({});
    other.SetScrollDelay(20);
    other.SetRepeatDelay(0);
    other.Loaded();
    text.SetRepeatDelay(0);
    for (int i = 0; i < 6; ++i) {
        Tick(10);
    }
    // 60 ms: the 30 ms control stepped twice, the 20 ms one three times (without a
    // pause the tick that counts a cycle also steps).
    EXPECT_EQ(text.ScrollOffset(), 2);
    EXPECT_EQ(other.ScrollOffset(), 3);
}

// A text image whose row y is coloured (y, 0, 0), to follow rows into the frame.
struct FrameTest : test::ScrollTextFixture {
    Bitmap24 stripes{60, 70};
    void SetUp() override {
        for (int y = 0; y < 70; ++y) {
            for (int x = 0; x < 60; ++x) {
                stripes.SetPixel(x, y, Rgb{static_cast<uint8_t>(y * 3), 0, 0});
            }
        }
        text.SetSize(60, 40);
        text.Text().SetLines({});
        text.Text().SetTailSpace(150);
        text.Text().SetFadeHeight(5);  // the image is 5 + 60 = 65 rows tall
        text.Text().BackGround().SetBitmap(stripes);
        text.Text().SetBackGroundMode(bmNormal);
        text.SetColor(clBlack);
        text.Surface = [this](const Bitmap24& frame) { shown = frame; };
        text.Loaded();
    }
    Bitmap24 shown;
};

TEST_F(FrameTest, FrameWrapsRoundAndFadesItsEdges) {
    text.SetScrollOffset(50);  // rows 50..64, then 0..24
    ASSERT_EQ(shown.Height(), 40);
    EXPECT_EQ(shown.Pixel(0, 10).r, 60 * 3);
    EXPECT_EQ(shown.Pixel(0, 25).r, 10 * 3);
    // Fade on black: a = b * 255 div 4 for b = 0..4, then v * a / 256 rounded down.
    struct Case {
        int row;
        int value;
    };
    const std::vector<Case> cases = {
        {0, 0},                // the edge row becomes the background
        {1, 153 * 63 / 256},   // source row 51, a = 63
        {4, 162 * 255 / 256},  // source row 54, a = 255 still takes 1/256 off
        {39, 0},
        {38, 69 * 63 / 256},  // source row 23, after the wrap
        {20, 5 * 3},          // untouched middle
    };
    for (const Case& c : cases) {
        EXPECT_EQ(shown.Pixel(30, c.row).r, c.value) << c.row;
    }
    text.Text().SetFade(false);  // rebuilds: 60 rows, offset 0, no fading
    EXPECT_EQ(shown.Pixel(0, 0).r, 0);
    EXPECT_EQ(shown.Pixel(0, 39).r, 39 * 3);
}

TEST_F(FrameTest, FadeHeightOneGivesOnlyBackgroundEdgeRows) {
    text.Text().SetFadeHeight(1);
    text.SetScrollOffset(20);
    EXPECT_EQ(shown.Pixel(0, 0).r, 0);
    EXPECT_EQ(shown.Pixel(0, 39).r, 0);
    EXPECT_EQ(shown.Pixel(0, 1).r, 21 * 3);
    EXPECT_EQ(shown.Pixel(0, 38).r, 58 * 3);
}

}  // namespace
}  // namespace saver
