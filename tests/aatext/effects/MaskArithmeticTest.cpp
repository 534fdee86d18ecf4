#include <gtest/gtest.h>

#include "MaskTestUtil.h"
#include "aatext/bitmap/Bitmap8.h"
#include "aatext/effects/MaskFilters.h"
#include "aatext/font/EInvalidLine.h"

namespace saver {
namespace {

using test::MakeMask;
using test::MaskValues;

// A supersampling surface whose block pixels take the given values, row by row.
Bitmap8 Block(int n, const std::vector<int>& values) {
    Bitmap8 surface(n, n);
    for (int y = 0; y < n; ++y) {
        for (int x = 0; x < n; ++x) {
            surface.Row(y)[x] = static_cast<uint8_t>(values[y * n + x]);
        }
    }
    return surface;
}

TEST(QualityReduction, CombinesEachBlockAsItsQualitySays) {
    struct Case {
        const char* name;
        TAAQuality quality;
        std::vector<int> block;
        int expected;
    };
    const std::vector<Case> cases = {
        {"none keeps the value", aqNone, {77}, 77},
        {"low averages four", aqLow, {255, 255, 255, 0}, 191},
        {"normal full ink stops at 254", aqNormal, std::vector<int>(9, 255), 254},
        // Only the two half-weight corners inked: (127 + 127) >> 3.
        {"normal halves the corners", aqNormal, {0, 0, 255, 0, 0, 0, 255, 0, 0}, 31},
        {"normal middle weighs 1", aqNormal, {0, 0, 0, 0, 255, 0, 0, 0, 0}, 31},
        {"high full ink is 255", aqHigh, std::vector<int>(16, 255), 255},
        {"high sums sixteen",
         aqHigh,
         {255, 255, 255, 255, 255, 255, 255, 255, 0, 0, 0, 0, 0, 0, 0, 0},
         127},
    };
    for (const Case& c : cases) {
        TAAMask mask(nullptr);
        mask.SetQuality(c.quality);
        mask.SetSize(1, 1);
        mask.Reduce(Block(mask.Scale(), c.block));
        EXPECT_EQ(mask.MaskRow(0)[0], c.expected) << c.name;
    }
}

TEST(MaskRow, RowsOutsideTheMaskRaiseInvalidLine) {
    TAAMask mask = MakeMask(2, 2, {1, 2, 3, 4});
    EXPECT_EQ(mask.MaskRow(1)[1], 4);
    EXPECT_EQ(mask.RowLength(), 4);
    for (int y : {-1, 2}) {
        try {
            mask.MaskRow(y);
            ADD_FAILURE() << "row " << y;
        } catch (const EInvalidLine& e) {
            EXPECT_STREQ(e.what(), "Invalid line!");
        }
    }
}

TEST(Blur, FullStrengthGivesTheRoundedFiveByFiveAverage) {
    // One inked pixel in the middle of a 5 x 5 mask: every pixel sees it once.
    std::vector<int> values(25, 0);
    values[12] = 255;
    TAAMask mask = MakeMask(5, 5, values);
    BlurMask(mask, 100);
    EXPECT_EQ(MaskValues(mask), std::vector<int>(25, 10));  // 255 / 25 = 10.2
}

TEST(Blur, StrengthMixesOldAndBlurredByItsWeight) {
    // Uniform 100 with a 255 in a corner: the corner's neighbourhood repeats the edges, so
    // the corner pixel sees itself 9 times: (9 * 255 + 16 * 100) / 25 = 155.8 -> 156.
    struct Case {
        int strength;
        int corner;  // old 255 moved towards 156
        int far;     // pixel (4, 4) never sees the corner: stays 100
    };
    const std::vector<Case> cases = {
        {100, 156, 100},
        // k = 128 (127.5 ties to even): 255 + floor(-99 * 128 / 256) = 255 - 50
        {50, 205, 100},
        {0, 255, 100},
    };
    for (const Case& c : cases) {
        std::vector<int> values(25, 100);
        values[0] = 255;
        TAAMask mask = MakeMask(5, 5, values);
        if (c.strength > 0) {
            BlurMask(mask, c.strength);
        }
        EXPECT_EQ(mask.MaskRow(0)[0], c.corner) << c.strength;
        EXPECT_EQ(mask.MaskRow(4)[4], c.far) << c.strength;
    }
}

TEST(Outline, InnerPixelsBecomeEdgeStrengthBordersStay) {
    // Left half inked: the inner pixels next to the edge see |0 - 255| three times.
    TAAMask mask = MakeMask(4, 3, {255, 255, 0, 0, 255, 255, 0, 0, 255, 255, 0, 0});
    OutlineMask(mask);
    EXPECT_EQ(MaskValues(mask),
              (std::vector<int>{255, 255, 0, 0, 255, 191, 191, 0, 255, 255, 0, 0}));
}

TEST(Outline, MixedNeighbourhoodsSumFourDifferencesAndShortMasksStay) {
    // Centre: |255 - 255| + |255 - 0| + |255 - 0| + |255 - 0| = 765, divided by 4.
    TAAMask check = MakeMask(3, 3, {255, 0, 0, 0, 0, 255, 255, 255, 255});
    OutlineMask(check);
    EXPECT_EQ(check.MaskRow(1)[1], (255 + 255 + 0 + 255) / 4);
    TAAMask flat = MakeMask(3, 2, {0, 255, 0, 255, 0, 255});
    OutlineMask(flat);
    EXPECT_EQ(MaskValues(flat), (std::vector<int>{0, 255, 0, 255, 0, 255}));
}

TEST(Mirror, RowsAndRowOrderReverse) {
    TAAMask mask = MakeMask(3, 2, {1, 2, 3, 4, 5, 6});
    MirrorMaskRows(mask);
    EXPECT_EQ(MaskValues(mask), (std::vector<int>{3, 2, 1, 6, 5, 4}));
    FlipMaskRows(mask);
    EXPECT_EQ(MaskValues(mask), (std::vector<int>{6, 5, 4, 3, 2, 1}));
}

TEST(Spray, StaysInsideTheMaskAndOnlyMovesExistingValues) {
    std::vector<int> values;
    for (int i = 0; i < 64; ++i) {
        values.push_back(i);
    }
    TAAMask mask = MakeMask(8, 8, values);
    EffectRandom random;
    random.Seed(7);
    SprayMask(mask, 0, random);
    EXPECT_EQ(MaskValues(mask), values) << "radius 0 moves nothing";
    SprayMask(mask, 100, random);
    for (int v : MaskValues(mask)) {
        EXPECT_LT(v, 64);
    }
}

}  // namespace
}  // namespace saver
