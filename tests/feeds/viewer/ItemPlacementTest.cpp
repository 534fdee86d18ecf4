// Where the item viewer opens and how it fits its page, with the random draws given.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "feeds/viewer/ItemPlacement.h"

namespace saver {
namespace {

// Draws as the test says: `pick` gets n and returns the draw.
class GivenDraw : public RandomDraw {
  public:
    explicit GivenDraw(std::function<int(int)> pick) : pick_(std::move(pick)) {}
    int Random(int n) override { return n <= 0 ? 0 : pick_(n); }

  private:
    std::function<int(int)> pick_;
};

int Lowest(int) {
    return 0;
}
int Highest(int n) {
    return n - 1;
}

// A 1024 x 768 show with the ticker at left 12, 437 wide.
constexpr ViewerFrame kShow{1024, 768, 449};
constexpr ViewerFrame kWideShow{2560, 1440, 449};

const std::string kShort = "<p>A short text.</p>";
const std::string kLong(1000, 'x');

struct PlaceCase {
    const char* name;
    std::string page;
    ViewerFrame frame;
    ViewerPlacement memory;
    int (*draw)(int);
    ViewerBounds expected;
};

TEST(ItemPlacementTest, PlacesTheViewerRightOfTheTicker) {
    const std::string long_in_characters(999, 'x');
    std::string two_byte_characters;
    for (int i = 0; i < 999; ++i) {
        two_byte_characters += "\xC3\xA9";  // é: 1998 bytes, still 999 characters
    }
    const PlaceCase cases[] = {
        // Short text: 100 to 149 high, from 459 on, right edge at least 10 inside.
        {"short, lowest draws", kShort, kShow, {}, Lowest, {459, 0, 400, 100}},
        {"short, highest draws: too wide, so pulled left and cut to the show's edge less 20",
         kShort,
         kShow,
         {},
         Highest,
         {478, 608, 526, 149}},
        // Long or with a picture: 800 to 1099 wide, 200 to 399 high.
        {"long page on a wide show", kLong, kWideShow, {}, Lowest, {459, 0, 800, 200}},
        {"long page, highest draws", kLong, kWideShow, {}, Highest, {1450, 1030, 1099, 399}},
        {"picture in any letter case",
         "<IMG src=a.png>",
         kWideShow,
         {},
         Lowest,
         {459, 0, 800, 200}},
        {"long page cut to the show", kLong, kShow, {}, Lowest, {459, 0, 545, 200}},
        {"a page ending in '<im' has no picture",
         "text <im",
         kWideShow,
         {},
         Lowest,
         {459, 0, 400, 100}},
        {"999 characters is short", long_in_characters, kWideShow, {}, Lowest, {459, 0, 400, 100}},
        {"characters are counted, not bytes",
         two_byte_characters,
         kWideShow,
         {},
         Lowest,
         {459, 0, 400, 100}},
        // The last fit is reused when the viewer lay right of the ticker and was wide.
        {"reuse: wider than 500", kShort, kShow, {true, 520, 300}, Lowest, {459, 0, 520, 300}},
        {"reuse: over 0.8 of the room right of the ticker",
         kShort,
         kShow,
         {true, 470, 300},
         Lowest,
         {459, 0, 470, 300}},
        {"no reuse: narrow", kShort, kShow, {true, 450, 300}, Lowest, {459, 0, 400, 100}},
        {"no reuse: it lay over the ticker",
         kShort,
         kShow,
         {false, 520, 300},
         Lowest,
         {459, 0, 400, 100}},
        {"reuse beyond the show's edges starts near its corner",
         kShort,
         kShow,
         {true, 700, 700},
         Highest,
         {44, 44, 951, 675}},
        {"no room right of the ticker: no reuse by share of it",
         kShort,
         {449, 768, 449},
         {true, 300, 200},
         Lowest,
         {459, 0, 30, 100}},
    };
    for (const PlaceCase& c : cases) {
        GivenDraw draw(c.draw);
        const ViewerBounds b = PlaceViewer(c.page, c.frame, c.memory, draw);
        EXPECT_EQ(b, c.expected) << c.name << ": got " << b.left << "," << b.top << " " << b.width
                                 << "x" << b.height;
    }
}

TEST(ItemPlacementTest, AShortItemAlwaysStartsInsideTheShowRightOfTheTicker) {
    for (int seed = 0; seed < 200; ++seed) {
        RandomSource source(static_cast<unsigned>(seed));
        SourceDraw draw(source);
        const ViewerBounds b = PlaceViewer(kShort, kShow, {}, draw);
        EXPECT_GE(b.left, 459);
        EXPECT_LE(b.left + b.width, 1014);
        EXPECT_GE(b.height, 100);
        EXPECT_LE(b.height, 149);
        EXPECT_LE(b.top + b.height, 768);
    }
}

struct FitCase {
    const char* name;
    ViewerBounds start;
    BodyMetrics body;  // scroll height, scroll width
    int (*draw)(int);
    ViewerBounds expected;
};

TEST(ItemPlacementTest, FitsTheViewerToItsPage) {
    const FitCase cases[] = {
        {"short page: height shrinks, narrow viewer widens to 500",
         {459, 100, 400, 120},
         {80, 500},
         Lowest,
         {459, 100, 500, 80}},
        {"taller page that fits below the top",
         {459, 100, 500, 120},
         {300, 500},
         Lowest,
         {459, 100, 500, 300}},
        {"taller page that fits only from near the top",
         {459, 100, 500, 120},
         {700, 500},
         Highest,
         {459, 34, 500, 700}},
        {"page taller than the show: nearly the show's height",
         {459, 100, 500, 120},
         {5000, 500},
         Lowest,
         {459, 5, 500, 763}},
        {"narrower page: width shrinks",
         {459, 100, 520, 120},
         {80, 510},
         Lowest,
         {459, 100, 510, 80}},
        {"wide page: nearly the room right of the ticker",
         {459, 100, 500, 120},
         {80, 2000},
         Highest,
         {508, 100, 467, 80}},
        {"wide page that would lose too much width keeps its place, then is pulled right of "
         "the ticker and cut to the show",
         {44, 44, 600, 300},
         {200, 600},
         Highest,
         {459, 44, 555, 200}},
        {"too low for its page: moved near the top",
         {459, 600, 500, 120},
         {160, 500},
         Lowest,
         {459, 5, 500, 160}},
        {"past the right edge: moved back right of the ticker",
         {600, 100, 500, 120},
         {80, 500},
         Lowest,
         {459, 100, 500, 80}},
    };
    for (const FitCase& c : cases) {
        GivenDraw draw(c.draw);
        const ViewerBounds b = FitViewer(c.start, c.body, kShow, draw);
        EXPECT_EQ(b, c.expected) << c.name << ": got " << b.left << "," << b.top << " " << b.width
                                 << "x" << b.height;
    }
}

TEST(ItemPlacementTest, RemembersTheFitAndSometimesAWidthOf500) {
    ViewerPlacement memory;
    GivenDraw not_one(Highest);
    RememberFit({460, 10, 700, 300}, kShow, memory, not_one);
    EXPECT_TRUE(memory.right_of_ticker);
    EXPECT_EQ(memory.last_width, 700);
    EXPECT_EQ(memory.last_height, 300);
    GivenDraw one([](int) { return 1; });
    RememberFit({449, 10, 700, 300}, kShow, memory, one);
    EXPECT_FALSE(memory.right_of_ticker) << "touching the ticker's edge is not right of it";
    EXPECT_EQ(memory.last_width, 500);
}

}  // namespace
}  // namespace saver
