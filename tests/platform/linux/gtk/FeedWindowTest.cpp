// Feed windows inside a real show window over a real page, on an X server with no
// compositor: what of them reaches the screen at each opacity, and that a window cut at
// the show's bottom edge still shows its page in its place.
#include <gtest/gtest.h>

#include "GtkTestEnvironment.h"
#include "platform/linux/gtk/GtkWindowSystem.h"
#include "support/TempFolder.h"
#include "support/TestServers.h"

namespace saver {
namespace {

using test::RunUntil;

class FeedWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        folder_.Write("blue.htm", "<body style=\"margin:0;background:#0000FF\">");
        folder_.Write("green.htm", "<body style=\"margin:0;background:#00FF00\">");
        show_ = windows_.CreateShowWindow(nullptr);
        show_->WebBrowser().Load(folder_ / "blue.htm");
        show_->ShowFullScreen();
        ASSERT_TRUE(RunUntil([&] { return Colour(600, 100) == "#0000FF"; })) << "the page";
        window_ = show_->CreateFeedWindow();
    }
    void TearDown() override {
        window_.reset();
        show_.reset();
    }

    static std::string Colour(int x, int y) {
        return test::ScreenColour(test::TestDisplay(), x, y);
    }
    // Runs the loop until (x, y) shows `colour`; the colour it shows in the end.
    static std::string Shows(int x, int y, const std::string& colour) {
        RunUntil([&] { return Colour(x, y) == colour; });
        return Colour(x, y);
    }

    test::TempFolder folder_;
    GtkWindowSystem windows_;
    std::unique_ptr<ShowWindow> show_;
    std::unique_ptr<FeedWindow> window_;
};

TEST_F(FeedWindowTest, BlackPanelAtEachOpacityAndHidden) {
    window_->SetBounds(20, 20, 100, 50);
    window_->Show();
    test::RunFor(300);
    EXPECT_EQ(Colour(40, 40), "#0000FF") << "opacity 0: nothing of it";
    window_->SetOpacity(255);
    EXPECT_EQ(Shows(40, 40, "#000000"), "#000000");
    EXPECT_EQ(Colour(130, 40), "#0000FF") << "right of it, the page";
    window_->SetOpacity(128);
    EXPECT_EQ(Shows(40, 40, "#00007F"), "#00007F") << "half of the page through its black";
    window_->Hide();
    EXPECT_EQ(Shows(40, 40, "#0000FF"), "#0000FF");
    window_->Show();
    EXPECT_EQ(Shows(40, 40, "#00007F"), "#00007F") << "shown again at its opacity";
}

TEST_F(FeedWindowTest, PageOfAWindowCutAtTheBottomStaysInPlace) {
    // 1200 x 300 screen: the window's lower 70 of 100 pixels lie below the show.
    window_->SetPanelVisible(false);
    window_->WebBrowser().LoadHtmlFile(folder_ / "green.htm");
    window_->SetBounds(20, 270, 200, 100);
    window_->SetOpacity(255);
    window_->Show();
    EXPECT_EQ(Shows(30, 272, "#00FF00"), "#00FF00") << "its page from its top row";
    EXPECT_EQ(Shows(210, 298, "#00FF00"), "#00FF00") << "to the show's bottom edge";
    EXPECT_EQ(Colour(30, 268), "#0000FF") << "above it, the page";
}

}  // namespace
}  // namespace saver
