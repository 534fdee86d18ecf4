// The item viewer's window rules on fakes: the page it writes and loads, where it opens,
// how it fades and fits, and what the page may not do. The same viewer runs for real in
// the end-to-end tests.
#include <gtest/gtest.h>

#include <sstream>

#include "feeds/readers/TSimpleRSS.h"
#include "feeds/viewer/FeedItemViewer.h"
#include "support/FakeWindowSystem.h"
#include "support/TempFolder.h"

namespace saver {
namespace {

using test::FakeFeedWindow;
using test::FakeShowWindow;
using test::FakeWindowSystem;

constexpr int kFadeInMs = 2;
constexpr int kFadeOutMs = 3;

const char* const kFeed =
    "<rss><channel><title>News</title>"
    "<item><title>First</title><link>http://example.org/first</link>"
    "<description>&lt;b&gt;Bold&lt;/b&gt; news</description>"
    "<pubDate>Sat, 03 Jan 2009 07:55:17 GMT</pubDate></item>"
    "<item><title>No link</title><description>Plain</description></item>"
    "</channel></rss>";

// A viewer over a visible 1024 x 768 show with the ticker at left 12, 437 wide.
class ViewerRig {
  public:
    ViewerRig() {
        windows_.monitors = {{0, 0, 1024, 768}};
        settings_.BlogShow = true;
        settings_.BlogBlendValue = 250;
        show_.visible = true;
        ticker_.show = &show_;
        ticker_.right_edge = 449;
        viewer_ = std::make_unique<FeedItemViewer>(ViewerEnvironment{
            settings_, windows_, draw_, folder_.Path(), folder_ / "rss_template.htm",
            [](TDateTime) { return std::string("1/3/09 7:55:17"); }});
        viewer_->Attach(ticker_);
        std::istringstream feed(kFeed);
        rss_.LoadFromStream(feed);
    }

    void Show(int index) { viewer_->ShowItem(rss_, index); }
    // The viewer's window, once it was made.
    FakeFeedWindow* Window() {
        return show_.feed_windows.empty() ? nullptr : show_.feed_windows[0];
    }
    void Fire(int interval, int times = 200) {
        for (int i = 0; i < times; ++i) {
            windows_.Fire(interval);
        }
    }
    test::FakeBrowser& Browser() { return Window()->browser; }
    std::string Page() { return test::ReadFile(folder_ / "tmp.htm"); }

    test::TempFolder folder_;
    TSaverSetting settings_;
    FakeWindowSystem windows_;
    RandomSource source_{7};
    SourceDraw draw_{source_};
    FakeShowWindow show_{nullptr};
    TickerShared ticker_;
    TSimpleRSS rss_;
    std::unique_ptr<FeedItemViewer> viewer_;
};

TEST(FeedItemViewerTest, ShowsTheItemsPageRightOfTheTickerAndFadesIn) {
    ViewerRig rig;
    // Placed in the show window's coordinates, wherever its monitor lies.
    rig.windows_.monitors = {{1280, 100, 1024, 768}};
    rig.Show(-1);
    rig.Show(2);
    EXPECT_FALSE(rig.viewer_->Exists()) << "no window for an index out of range";
    rig.Show(0);
    ASSERT_TRUE(rig.viewer_->Exists());
    const std::string page = rig.Page();
    EXPECT_TRUE(page.starts_with("<html xmlns=\"http://www.w3.org/1999/xhtml\">")) << page;
    EXPECT_NE(page.find("<font color=\"#FFFFFF\">First</font></h3>"), std::string::npos);
    EXPECT_NE(page.find("<b>Bold</b> news"), std::string::npos) << "the description is HTML";
    EXPECT_NE(page.find("1/3/09 7:55:17, Press Enter to read..."), std::string::npos);
    EXPECT_TRUE(page.ends_with("</html>\r\n"));
    EXPECT_EQ(rig.Browser().loads, std::vector<std::string>{rig.folder_ / "tmp.htm"});
    EXPECT_EQ(rig.viewer_->Link(), "http://example.org/first");
    const MonitorArea& at = rig.Window()->bounds;
    EXPECT_GE(at.left, 459);
    EXPECT_LE(at.left + at.width, 1014);
    EXPECT_GE(at.height, 100);
    EXPECT_LE(at.height, 149);
    EXPECT_TRUE(rig.Window()->visible);
    EXPECT_FALSE(rig.Window()->panel_visible) << "the browser fills the window";
    EXPECT_TRUE(rig.Window()->bevel) << "within a raised frame";
    EXPECT_EQ(rig.Window()->opacity, 0);
    rig.Fire(kFadeInMs);
    EXPECT_EQ(rig.Window()->opacity, 249) << "raised by 3 up to the blend value less 3";

    rig.Show(1);
    EXPECT_EQ(rig.viewer_->Link(), "") << "Enter opens nothing for an item without a link";
    EXPECT_EQ(rig.Window()->opacity, 0) << "each item fades in anew";
}

TEST(FeedItemViewerTest, PausedTickerShowsAtOnceAndBlogShowOffKeepsItInvisible) {
    ViewerRig rig;
    rig.ticker_.paused = true;
    rig.Show(0);
    EXPECT_EQ(rig.Window()->opacity, 250);

    ViewerRig hidden;
    hidden.settings_.BlogShow = false;
    hidden.Show(0);
    hidden.Fire(kFadeInMs);
    EXPECT_EQ(hidden.Window()->opacity, 0);
    EXPECT_EQ(hidden.viewer_->Link(), "http://example.org/first") << "Enter still opens it";
}

TEST(FeedItemViewerTest, HiddenShowHidesTheViewerAndMakesNone) {
    ViewerRig rig;
    rig.show_.visible = false;
    rig.Show(0);
    EXPECT_FALSE(rig.viewer_->Exists());
    rig.show_.visible = true;
    rig.Show(0);
    rig.show_.visible = false;
    rig.Show(1);
    EXPECT_FALSE(rig.Window()->visible);
    EXPECT_EQ(rig.viewer_->Link(), "http://example.org/first") << "the shown item's link stays";
}

TEST(FeedItemViewerTest, FitsToTheLoadedPageAndRemembersTheFit) {
    ViewerRig rig;
    rig.Show(0);
    const MonitorArea placed = rig.Window()->bounds;
    rig.Browser().metrics = {0, 0};
    rig.Browser().events_->DocumentComplete("file:///x");
    EXPECT_EQ(rig.Window()->bounds.height, placed.height) << "no body: the place stays";
    rig.Browser().metrics = {60, 500};
    rig.Browser().events_->DocumentComplete("file:///x");
    EXPECT_EQ(rig.Window()->bounds.height, 60) << "shrinks to the content";
    EXPECT_EQ(rig.Window()->bounds.width, 500);
    EXPECT_TRUE(rig.viewer_->Placement().right_of_ticker);
    EXPECT_EQ(rig.viewer_->Placement().last_height, 60);
}

TEST(FeedItemViewerTest, FadeOutLowersTheOpacityThenGoesOn) {
    ViewerRig rig;
    int done = 0;
    rig.viewer_->FadeOut([&] { ++done; });
    EXPECT_EQ(done, 1) << "nothing shown: at once";
    rig.Show(0);
    rig.Fire(kFadeInMs);
    rig.viewer_->FadeOut([&] { ++done; });
    EXPECT_EQ(done, 1);
    rig.Fire(kFadeOutMs, 100);
    EXPECT_EQ(done, 2);
    EXPECT_LE(rig.Window()->opacity, 2);

    // An item shown or the viewer hidden during a fade ends it, and its caller hears so
    // once, right after.
    rig.Show(0);
    rig.Fire(kFadeInMs);
    rig.viewer_->FadeOut([&] {
        ++done;
        EXPECT_EQ(rig.viewer_->Link(), "") << "called after the new item is shown";
    });
    rig.Fire(kFadeOutMs, 5);
    rig.Show(1);
    EXPECT_EQ(done, 3);
    rig.Fire(kFadeOutMs, 100);
    rig.Fire(kFadeInMs);
    EXPECT_EQ(done, 3);
    EXPECT_EQ(rig.Window()->opacity, 249) << "the new item faded in undisturbed";
    rig.viewer_->FadeOut([&] { ++done; });
    rig.viewer_->Hide();
    EXPECT_EQ(done, 4);
}

TEST(FeedItemViewerTest, ThePageOpensNoWindowKeepsNoDialogAndReachesNoOtherFile) {
    ViewerRig rig;
    rig.Show(0);
    BrowserEvents& events = *rig.Browser().events_;
    EXPECT_TRUE(rig.Browser().options_.untrusted);
    EXPECT_FALSE(rig.Browser().options_.scroll_bars);
    EXPECT_FALSE(rig.Browser().options_.text_select);
    EXPECT_FALSE(events.NewWindow("http://example.org/"));
    events.ShowDialog(7);
    EXPECT_EQ(rig.Browser().closed_dialogs, std::vector<DialogHandle>{7});
    EXPECT_TRUE(events.BeforeNavigate("file://" + rig.folder_.Path() + "tmp.htm", true));
    EXPECT_FALSE(events.BeforeNavigate("file:///etc/passwd", false));
    EXPECT_FALSE(events.BeforeNavigate("FILE:///etc/passwd", false));
    EXPECT_TRUE(events.BeforeNavigate("http://example.org/", false));
    const InputMessage ctrl_n{WM_KEYDOWN, 'N', 1, kModControl};
    EXPECT_TRUE(events.TranslateAccelerator(ctrl_n)) << "Ctrl+N is kept from the page";
}

TEST(FeedItemViewerTest, TemplateInTheAuthorsEncodingReadsAsUtf8) {
    ViewerRig rig;
    rig.folder_.Write("rss_template.htm",
                      "<p>Caf\xE9: ##title##</p>\r\n##description##\n##time##");  // Windows-1252
    rig.Show(0);
    EXPECT_EQ(rig.Page(),
              "\xEF\xBB\xBF<p>Caf\xC3\xA9: First</p>\r\n<b>Bold</b> news\r\n1/3/09 7:55:17\r\n");
    EXPECT_FALSE(rig.Window()->bevel) << "the template's page frames itself";
}

}  // namespace
}  // namespace saver
