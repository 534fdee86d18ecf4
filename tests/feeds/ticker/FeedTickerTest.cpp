// The feed ticker's rules on fakes: timers fire when the test says, downloads end when
// the test completes them. The same ticker runs for real in the end-to-end tests.
#include <gtest/gtest.h>

#include "TickerFakes.h"
#include "aatext/timer/TAATimerMgr.h"
#include "feeds/fetch/FeedChoice.h"
#include "feeds/ticker/FeedTicker.h"
#include "settings/SaverSettingsFile.h"
#include "support/TempFolder.h"

namespace saver {
namespace {

using test::FakeFeedWindow;
using test::FakeHttpClient;
using test::FakeShell;
using test::FakeShowWindow;
using test::FakeWindowSystem;

constexpr int kStartMs = 2000;
constexpr int kTickMs = 1000;
constexpr int kFadeInMs = 2;
constexpr int kFadeOutMs = 4;
constexpr int kPageEndMs = 7050;

std::string Feed(int items, const std::string& title = "Feed One") {
    std::string xml = "<rss><channel><title>" + title + "</title><description>Daily</description>";
    for (int i = 1; i <= items; ++i) {
        xml += "<item><title>Headline " + std::to_string(i) + "</title><link>http://example.org/" +
               std::to_string(i) + "</link><pubDate>Sat, 03 Jan 2009 07:55:17 GMT</pubDate></item>";
    }
    return xml + "</channel></rss>";
}

InputMessage Key(uint32_t key) {
    return InputMessage{WM_KEYDOWN, key, 1, 0};
}

const std::string kThreeFeeds = "[feeds]\nOne=http://one/\nTwo=http://two/\nThree=http://three/\n";

// A ticker over a fake show with three feeds, its first load not yet started.
class TickerRig {
  public:
    explicit TickerRig(const std::string& set_lines = "", const std::string& feeds = kThreeFeeds,
                       UiDispatcher* parse_dispatcher = nullptr)
        : file_(IniFile::Parse(feeds)) {
        settings_.UseFeed = true;
        settings_.RandomFeed = false;
        const IniFile set = IniFile::Parse("[Set]\n" + set_lines);
        settings_.BlogListCustomized = set.ReadBool("Set", "BlogListCustomized", false);
        settings_.RandomFeed = set.ReadBool("Set", "RandomFeed", false);
        settings_.BlogInterval = set.ReadInteger("Set", "BlogInterval", 12);
        settings_.FeedList = BuildFeedList(file_);
        ticker_ = std::make_unique<FeedTicker>(TickerEnvironment{
            settings_, file_, random_, windows_, http_, shell_, viewer_, folder_.Path(),
            folder_ / "rss_list.htm", [](TDateTime) { return std::string("1/3/09 7:55:17"); },
            &text_timers_, parse_dispatcher});
    }

    void Start() { ticker_->StartFeedTicker(show_, 2); }
    // The ticker's window, once it was made.
    FakeFeedWindow* Window() {
        return show_.feed_windows.empty() ? nullptr : show_.feed_windows[0];
    }
    TRSSFontForm& Form() { return *ticker_->Form(); }
    // The first tick after the start delay, and the load it starts completed.
    void FirstLoad(const std::string& body) {
        windows_.Fire(kStartMs);
        http_.Complete(body);
        FinishFades();
    }
    void Ticks(int count) {
        for (int i = 0; i < count; ++i) {
            windows_.Fire(kTickMs);
        }
    }
    void FinishFades() {
        for (int i = 0; i < 200; ++i) {
            windows_.Fire(kFadeOutMs);
            windows_.Fire(kFadeInMs);
        }
    }
    bool Send(const InputMessage& message) { return ticker_->HandleTickerInput(message); }
    std::vector<std::string> ListLines() { return Form().ListArea().Text().Lines(); }
    std::string Highlighted() {
        for (const std::string& line : ListLines()) {
            if (line.starts_with("<text3>")) {
                return line.substr(7);
            }
        }
        return "";
    }

    test::TempFolder folder_;
    IniFile file_;
    TSaverSetting settings_;
    RandomSource random_{7};
    FakeWindowSystem windows_;
    FakeHttpClient http_;
    FakeShell shell_;
    ItemViewer viewer_;
    FakeShowWindow show_{nullptr};
    TAATimerMgr text_timers_{nullptr};
    std::unique_ptr<FeedTicker> ticker_;
};

TEST(FeedTickerTest, FirstTickAfterTheDelayLoadsTheFirstFeedAndFadesIn) {
    TickerRig rig;
    // The show's monitor is not the desktop's first: the ticker lies in the show window,
    // in its coordinates.
    rig.windows_.monitors = {{1280, 100, 800, 600}};
    rig.Start();
    ASSERT_NE(rig.ticker_->Form(), nullptr);
    ASSERT_EQ(rig.show_.feed_windows.size(), 1u) << "made by the show window";
    EXPECT_FALSE(rig.Window()->visible) << "invisible until the first fade";
    EXPECT_EQ(rig.Window()->bounds.width, 437);
    EXPECT_EQ(rig.Window()->bounds.height, 289);
    rig.windows_.Fire(kStartMs);
    EXPECT_EQ(rig.http_.requests, std::vector<std::string>{"http://one/"});
    EXPECT_TRUE(rig.Form().Busy());
    rig.Ticks(5);  // the timer waits while the download runs
    EXPECT_EQ(rig.http_.requests.size(), 1u);
    rig.http_.Complete(Feed(3));
    EXPECT_FALSE(rig.Form().Busy());
    EXPECT_TRUE(rig.Window()->visible);
    rig.FinishFades();
    EXPECT_EQ(rig.Window()->opacity, 198) << "raised by 3 up to the blend value less 3";
    EXPECT_EQ(rig.Window()->bounds.left, 12);
    EXPECT_EQ(rig.Window()->bounds.top, 12);
    EXPECT_EQ(rig.Form().TitleArea().Text().Lines(),
              (std::vector<std::string>{"<Title1>Feed One",
                                        "<Text2> - 1/3/09 7:55:17, Daily, 3 Posts", "<line>"}));
    EXPECT_EQ(rig.ListLines(),
              (std::vector<std::string>{"<text3>1. Headline 1", "<text1>2. Headline 2",
                                        "<text1>3. Headline 3"}));
    EXPECT_EQ(rig.viewer_.Link(), "http://example.org/1");
    EXPECT_EQ(rig.show_.texts[ShowPanel::Feed], "  Progress: " + std::to_string(Feed(3).size()) +
                                                    " of " + std::to_string(Feed(3).size()));
}

// The list of a 25-item feed as the items become current every 12 ticks.
TEST(FeedTickerTest, TwentyFiveItemsWalkInBlocksOfTen) {
    TickerRig rig;
    rig.Start();
    rig.FirstLoad(Feed(25));
    struct Step {
        int current;
        size_t lines;  // list lines after the step
        const char* highlighted;
        bool scrolls;        // the page-end scroll starts
        size_t lines_after;  // list lines once it ended
    };
    const Step steps[] = {
        {0, 25, "1. Headline 1", false, 25},    {1, 25, "2. Headline 2", false, 25},
        {8, 25, "9. Headline 9", false, 25},    {9, 25, "10. Headline 10", true, 15},
        {10, 15, "11. Headline 11", false, 15}, {19, 15, "20. Headline 20", true, 5},
        {20, 5, "21. Headline 21", false, 5},   {24, 5, "25. Headline 25", false, 5},
    };
    int current = 0;
    for (const Step& step : steps) {
        SCOPED_TRACE(step.current);
        while (current < step.current) {
            rig.windows_.Fire(kPageEndMs);
            rig.Ticks(11);
            EXPECT_EQ(rig.Form().CurrentItem(), current) << "not before 12 ticks";
            rig.Ticks(1);
            ++current;
        }
        EXPECT_EQ(rig.Form().CurrentItem(), step.current);
        EXPECT_EQ(rig.ListLines().size(), step.lines);
        EXPECT_EQ(rig.Highlighted(), step.highlighted);
        EXPECT_EQ(rig.Form().ListArea().Active(), step.scrolls);
        rig.windows_.Fire(kPageEndMs);
        EXPECT_FALSE(rig.Form().ListArea().Active());
        EXPECT_EQ(rig.ListLines().size(), step.lines_after);
        if (step.scrolls) {
            EXPECT_EQ(rig.Highlighted(), "") << "the next block, without highlight";
        }
    }
    // 12 ticks after the last item: fade out, then the next feed.
    rig.Ticks(12);
    EXPECT_EQ(rig.http_.requests.size(), 1u) << "the load waits for the fade-out";
    rig.FinishFades();
    EXPECT_EQ(rig.http_.requests.back(), "http://two/");
}

// The list scrolls for 7050 ms at the end of a block of ten; whatever brings the next
// item before then switches the scrolling off, and the scroll's end changes nothing more.
struct PageEndCase {
    const char* name;
    const char* set_lines;
    std::function<void(TickerRig&)> reach_next;
    int item;  // current item afterwards
};

void CompleteLoad(TickerRig& rig) {
    rig.FinishFades();
    rig.http_.Complete(Feed(25));
    rig.FinishFades();
}

const PageEndCase kPageEndCases[] = {
    {"ItemTimerAtSixSeconds", "BlogInterval=6", [](TickerRig& rig) { rig.Ticks(6); }, 10},
    {"DownKey", "", [](TickerRig& rig) { rig.Send(Key(VK_DOWN)); }, 10},
    {"UpKey", "", [](TickerRig& rig) { rig.Send(Key(VK_UP)); }, 8},
    {"Wheel", "",
     [](TickerRig& rig) {
         rig.Send({WM_MOUSEWHEEL, uint64_t{0xFF88} << 16, 0, 0});
     },
     10},
    {"RightKeyLoadsAFeed", "",
     [](TickerRig& rig) {
         rig.Send(Key(VK_RIGHT));
         CompleteLoad(rig);
     },
     0},
    {"LeftKeyLoadsAFeed", "",
     [](TickerRig& rig) {
         rig.Send(Key(VK_LEFT));
         CompleteLoad(rig);
     },
     0},
    {"ExtraButtonLoadsAFeed", "",
     [](TickerRig& rig) {
         rig.Send({WM_XBUTTONUP, 0x20000, 0, 0});
         CompleteLoad(rig);
     },
     0},
    {"MiddleButtonLoadsAFeed", "",
     [](TickerRig& rig) {
         rig.Send({WM_MBUTTONUP, 0, 0, 0});
         CompleteLoad(rig);
     },
     0},
};

void PrintTo(const PageEndCase& row, std::ostream* out) {
    *out << row.name;
}

class PageEndScrollTest : public ::testing::TestWithParam<PageEndCase> {};

TEST_P(PageEndScrollTest, NextItemSwitchesTheScrollOff) {
    const PageEndCase& row = GetParam();
    TickerRig rig(row.set_lines);
    rig.Start();
    rig.FirstLoad(Feed(25));
    rig.Form().DisplayItem(9);
    ASSERT_TRUE(rig.Form().ListArea().Active());
    row.reach_next(rig);
    EXPECT_EQ(rig.Form().CurrentItem(), row.item);
    EXPECT_FALSE(rig.Form().ListArea().Active());
    const std::vector<std::string> lines = rig.ListLines();
    EXPECT_EQ(rig.Highlighted(),
              std::to_string(row.item + 1) + ". Headline " + std::to_string(row.item + 1));
    rig.windows_.Fire(kPageEndMs);
    EXPECT_EQ(rig.ListLines(), lines) << "the old scroll's end leaves the new list";
}

INSTANTIATE_TEST_SUITE_P(Paths, PageEndScrollTest, ::testing::ValuesIn(kPageEndCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(FeedTickerTest, LongFeedsListThreeBlocksAtMost) {
    TickerRig rig;
    rig.Start();
    rig.FirstLoad(Feed(100));
    EXPECT_EQ(rig.ListLines().size(), 30u);
    rig.Form().DisplayItem(95);
    EXPECT_EQ(rig.ListLines().size(), 10u) << "items 91 to 100";
    EXPECT_EQ(rig.Highlighted(), "96. Headline 96");
}

TEST(FeedTickerTest, PauseHoldsTheTimerButNotTheKeys) {
    TickerRig rig;
    rig.Start();
    rig.FirstLoad(Feed(5));
    EXPECT_TRUE(rig.Send(Key(VK_SPACE)));
    EXPECT_TRUE(rig.show_.panel_visible[ShowPanel::Feed]);
    EXPECT_EQ(rig.show_.texts[ShowPanel::Feed].substr(0, 47),
              "  Pause scrolling: press spacebar to continue. ");
    rig.Ticks(30);
    EXPECT_EQ(rig.Form().CurrentItem(), 0);
    EXPECT_TRUE(rig.Send(Key(VK_DOWN)));
    EXPECT_EQ(rig.Form().CurrentItem(), 1);
    EXPECT_TRUE(rig.Send(Key(VK_SPACE)));
    EXPECT_FALSE(rig.show_.panel_visible[ShowPanel::Feed]);
    rig.Ticks(1);
    EXPECT_EQ(rig.Form().CurrentItem(), 2) << "the first tick after the pause moves on";
}

struct KeyCase {
    const char* name;
    InputMessage message;
    int start_item;
    int item;         // current item afterwards
    const char* url;  // the feed loaded afterwards, or null
};

const KeyCase kKeyCases[] = {
    {"DownWrapsToFirst", Key(VK_DOWN), 4, 0, nullptr},
    {"UpWrapsToLast", Key(VK_UP), 0, 4, nullptr},
    {"WheelAwayIsPrevious", {WM_MOUSEWHEEL, uint64_t{120} << 16, 0, 0}, 2, 1, nullptr},
    {"WheelTowardsIsNext", {WM_MOUSEWHEEL, uint64_t{0xFF88} << 16, 0, 0}, 2, 3, nullptr},
    {"RightIsNextFeed", Key(VK_RIGHT), 0, 0, "http://two/"},
    {"LeftWrapsToLastFeed", Key(VK_LEFT), 0, 0, "http://three/"},
    {"SecondExtraButtonIsNextFeed", {WM_XBUTTONUP, 0x20000, 0, 0}, 0, 0, "http://two/"},
    {"FirstExtraButtonIsPreviousFeed", {WM_XBUTTONUP, 0x10000, 0, 0}, 0, 0, "http://three/"},
    {"OtherExtraButtonDoesNothing", {WM_XBUTTONUP, 0x30000, 0, 0}, 0, 0, nullptr},
};

void PrintTo(const KeyCase& row, std::ostream* out) {
    *out << row.name;
}

class TickerKeyTest : public ::testing::TestWithParam<KeyCase> {};

TEST_P(TickerKeyTest, StepsItemsAndFeeds) {
    const KeyCase& row = GetParam();
    TickerRig rig;
    rig.Start();
    rig.FirstLoad(Feed(5));
    rig.Form().DisplayItem(row.start_item);
    EXPECT_TRUE(rig.Send(row.message));
    rig.FinishFades();
    EXPECT_EQ(rig.Form().CurrentItem(), row.item);
    EXPECT_EQ(rig.http_.requests.back(), row.url ? row.url : "http://one/");
}

INSTANTIATE_TEST_SUITE_P(Rows, TickerKeyTest, ::testing::ValuesIn(kKeyCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(FeedTickerTest, InputBeforeTheFirstItemAndOtherKeysAreNotTaken) {
    TickerRig rig;
    EXPECT_FALSE(rig.Send(Key(VK_DOWN))) << "no ticker yet";
    rig.Start();
    EXPECT_FALSE(rig.Send(Key(VK_DOWN))) << "no item shown yet";
    rig.FirstLoad(Feed(2));
    EXPECT_FALSE(rig.Send(Key('A')));
    EXPECT_FALSE(rig.Send(InputMessage{WM_LBUTTONDOWN, 0, 0, 0}));
}

TEST(FeedTickerTest, EnterOpensTheCurrentItemsLink) {
    TickerRig rig;
    rig.Start();
    rig.FirstLoad(Feed(3) + "");
    rig.Send(Key(VK_DOWN));
    EXPECT_TRUE(rig.Send(Key(VK_RETURN)));
    EXPECT_EQ(rig.shell_.opened, std::vector<std::string>{"http://example.org/2"});
}

TEST(FeedTickerTest, FeedWithoutItemsIsLeftAfterThreeTicks) {
    TickerRig rig;
    rig.Start();
    rig.FirstLoad(Feed(0));
    rig.Ticks(2);
    rig.FinishFades();
    EXPECT_EQ(rig.http_.requests.size(), 1u);
    rig.Ticks(1);
    rig.FinishFades();
    EXPECT_EQ(rig.http_.requests.back(), "http://two/");
}

TEST(FeedTickerTest, FailedDownloadKeepsThePreviousItemsAndTheTimerGoesOn) {
    TickerRig rig;
    rig.Start();
    rig.FirstLoad(Feed(2));
    rig.Send(Key(VK_RIGHT));
    rig.FinishFades();
    rig.http_.Complete("", false);
    EXPECT_FALSE(rig.Form().Busy());
    EXPECT_EQ(rig.Form().RSS().Items().Count(), 2);
    EXPECT_EQ(rig.Form().CurrentFeed(), 1);
    rig.Ticks(12);
    EXPECT_EQ(rig.Form().CurrentItem(), 1) << "the timer steps through the old items";
    // A document that is no feed empties the model: the timer moves on after 3 ticks.
    rig.Send(Key(VK_RIGHT));
    rig.FinishFades();
    rig.http_.Complete("<html>no feed</html>");
    EXPECT_EQ(rig.Form().RSS().Items().Count(), 0);
    rig.Ticks(3);
    rig.FinishFades();
    EXPECT_EQ(rig.http_.requests.back(), "http://one/");
}

TEST(FeedTickerTest, FeedsParsedOnAWorkerComeBackThroughTheDispatcher) {
    static test::QueueDispatcher dispatcher;  // outlives the worker threads
    TickerRig rig("", kThreeFeeds, &dispatcher);
    rig.Start();
    rig.windows_.Fire(kStartMs);
    rig.http_.Complete(Feed(3));
    EXPECT_TRUE(rig.Form().Busy()) << "until the parse is back";
    ASSERT_TRUE(dispatcher.RunPosted());
    EXPECT_FALSE(rig.Form().Busy());
    EXPECT_EQ(rig.Form().RSS().Items().Count(), 3);
    EXPECT_EQ(rig.Form().CurrentItem(), 0);
    // A load started while a parse runs drops that parse.
    rig.Form().LoadFeed(1);
    rig.http_.Complete(Feed(7));
    rig.Form().LoadFeed(2);
    ASSERT_TRUE(dispatcher.RunPosted());
    EXPECT_EQ(rig.Form().RSS().Items().Count(), 3);
    EXPECT_TRUE(rig.Form().Busy()) << "the third feed still loads";
}

TEST(FeedTickerTest, RandomFeedChoosesTheFirstFeedAtRandomToo) {
    TickerRig rig("RandomFeed=1");
    RandomSource same{7};
    const int expected = RandomFeedIndex(3, same);
    rig.Start();
    rig.windows_.Fire(kStartMs);
    const char* urls[] = {"http://one/", "http://two/", "http://three/"};
    EXPECT_EQ(rig.http_.requests.back(), urls[expected]);
}

TEST(FeedTickerTest, NoWindowWithoutEnabledFeeds) {
    TickerRig rig("", "[feeds]\nOne=http://one/\n[usefeed]\nOne=0\n");
    rig.Start();
    EXPECT_EQ(rig.ticker_->Form(), nullptr);
}

TEST(FeedTickerTest, EmptyAddressChangesOnlyTheCurrentFeed) {
    TickerRig rig;
    rig.Start();
    rig.FirstLoad(Feed(2));
    rig.file_ = IniFile::Parse("[feeds]\nOne=http://one/\nTwo=\nThree=http://three/\n");
    rig.Form().LoadFeed(1);
    EXPECT_EQ(rig.Form().CurrentFeed(), 1);
    EXPECT_EQ(rig.Form().CurrentFeedName(), "Two");
    EXPECT_FALSE(rig.Form().Busy());
    EXPECT_EQ(rig.http_.requests.size(), 1u);
}

TEST(FeedTickerTest, CustomListPageEscapesFeedTexts) {
    TickerRig rig("BlogListCustomized=1");
    rig.folder_.Write("rss_list.htm",
                      "<h1>##BlogName##</h1><p>##TimeTag##</p><table>##BlogList##</table>");
    rig.Start();
    rig.FirstLoad(Feed(2, "A &lt;b&gt; ##BlogList##"));
    EXPECT_FALSE(rig.Window()->panel_visible);
    EXPECT_EQ(
        test::ReadFile(rig.folder_ / "tmp2.htm"),
        "\xEF\xBB\xBF<h1>A &lt;b&gt; ##BlogList##</h1><p>1/3/09 7:55:17, Daily, 2 Posts</p><table>"
        "<tr height=\"24\"><td nowrap><b>1. Headline 1</font></b></td></tr>\r\n"
        "<tr height=\"24\"><td nowrap>2. Headline 2</td></tr></table>");
    EXPECT_EQ(rig.Window()->browser.loads.back(), rig.folder_ / "tmp2.htm");
}

// Templates are written on Windows: one in Windows-1252 without a declared charset is
// read as such, and the page says it is UTF-8; one that declares its charset keeps its
// bytes.
TEST(FeedTickerTest, CustomListPageReadsTheTemplatesEncoding) {
    struct Case {
        std::string name, template_bytes, page_start;
    };
    const std::vector<Case> cases = {
        {"windows-1252", "<p>Caf\xE9</p>##BlogName##", "\xEF\xBB\xBF<p>Caf\xC3\xA9</p>A"},
        {"declared", "<meta charset=\"windows-1252\"><p>Caf\xE9</p>##BlogName##",
         "<meta charset=\"windows-1252\"><p>Caf\xE9</p>A"},
    };
    for (const Case& c : cases) {
        TickerRig rig("BlogListCustomized=1");
        rig.folder_.Write("rss_list.htm", c.template_bytes);
        rig.Start();
        rig.FirstLoad(Feed(2, "A"));
        EXPECT_EQ(test::ReadFile(rig.folder_ / "tmp2.htm"), c.page_start) << c.name;
    }
}

TEST(FeedTickerTest, StopHidesAndCancelsWhatRuns) {
    TickerRig rig;
    rig.Start();
    rig.FirstLoad(Feed(2));
    rig.Send(Key(VK_RIGHT));
    rig.ticker_->StopFeedTicker();
    rig.FinishFades();
    rig.Ticks(30);
    EXPECT_FALSE(rig.Window()->visible);
    EXPECT_EQ(rig.http_.requests.size(), 1u) << "the load after the fade never starts";
}

}  // namespace
}  // namespace saver
