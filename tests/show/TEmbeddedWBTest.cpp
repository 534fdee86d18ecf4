// The browser adapter's own rules, on a fake browser: option mapping, the kept Ctrl
// shortcuts and what Navigate passes on.
#include "show/TEmbeddedWB.h"

#include <gtest/gtest.h>

#include "support/FakeWindowSystem.h"

namespace saver {
namespace {

class TEmbeddedWBTest : public ::testing::Test {
  protected:
    test::FakeBrowser browser;
    test::FakeWindowSystem windows;
    TEmbeddedWB wb{browser, windows};
};

TEST_F(TEmbeddedWBTest, OptionSetsMapToTheBrowser) {
    EXPECT_TRUE(browser.options_.load_images);  // the defaults load pictures and media
    EXPECT_TRUE(browser.options_.play_videos);
    wb.SetDownloadOptions(
        {DownloadBGSounds, DontExecuteScripts, DontExecuteActiveX, DownloadAndIgnoreCache});
    EXPECT_FALSE(browser.options_.load_images);
    EXPECT_FALSE(browser.options_.play_videos);
    EXPECT_TRUE(browser.options_.play_sounds);
    EXPECT_FALSE(browser.options_.run_scripts);
    EXPECT_FALSE(browser.options_.run_plugins);
    EXPECT_TRUE(browser.options_.ignore_cache);
    EXPECT_FALSE(browser.options_.offline);
    wb.SetDownloadOptions({WorkOffline});
    EXPECT_TRUE(browser.options_.offline);
    wb.SetDownloadOptions({});
    wb.SetOffline(true);
    EXPECT_TRUE(browser.options_.offline);
    wb.SetUserInterfaceOptions({DontUseScrollBars, DisableTextSelect});
    EXPECT_FALSE(browser.options_.scroll_bars);
    EXPECT_FALSE(browser.options_.text_select);
}

TEST_F(TEmbeddedWBTest, CtrlShortcutsAreKeptFromThePageAndItsOwner) {
    wb.DisableCtrlShortcuts = "N";
    int offered = 0;
    wb.OnTranslateAccelerator = [&](const InputMessage&, bool&) { ++offered; };
    BrowserEvents& events = *browser.events_;
    EXPECT_TRUE(events.TranslateAccelerator({WM_KEYDOWN, 'N', 1, kModControl}));
    EXPECT_EQ(offered, 0);
    // With Alt, without Ctrl, or another letter: on to the owner and the page.
    EXPECT_FALSE(events.TranslateAccelerator({WM_SYSKEYDOWN, 'N', 1, kModControl | kModAlt}));
    EXPECT_FALSE(events.TranslateAccelerator({WM_KEYDOWN, 'N', 1, 0}));
    EXPECT_FALSE(events.TranslateAccelerator({WM_KEYDOWN, 'M', 1, kModControl}));
    EXPECT_EQ(offered, 3);
}

TEST_F(TEmbeddedWBTest, NavigateSkipsBlanksAndOpensFoldersAsFileAddresses) {
    wb.Navigate("");
    wb.Navigate(" \t");
    wb.Navigate(SAVER_TEST_DATA);
    wb.Navigate("http://example.org/");
    wb.Navigate("/no/such/folder");
    EXPECT_EQ(browser.loads, (std::vector<std::string>{"file://" SAVER_TEST_DATA,
                                                       "http://example.org/", "/no/such/folder"}));
}

}  // namespace
}  // namespace saver
