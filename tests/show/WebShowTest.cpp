// The web show's paging, input and closing, on in-memory fakes of the window system.
#include <gtest/gtest.h>

#include "show/ShowSession.h"
#include "show/TWebFullscreenForm.h"
#include "support/Eventually.h"
#include "support/FakeWindowSystem.h"
#include "support/TempFolder.h"

namespace saver {
namespace {

using test::FakeBrowser;

InputMessage Key(uint32_t code) {
    return {WM_KEYDOWN, code, 1 | (1 << 16), 0};
}
InputMessage Mouse(uint32_t message) {
    return {message, 0, 0, 0};
}

class TickerTakingArrows : public ShowCompanions {
  public:
    bool HandleTickerInput(const InputMessage& m) override {
        return m.wparam == VK_DOWN || m.wparam == VK_RETURN;
    }
    void StartMusic() override { ++music_starts; }
    int music_starts = 0;
};

class WebShowTest : public ::testing::Test {
  protected:
    WebShowTest() {
        settings.Web = {"http://a/", "http://b/", "missing.htm"};
        settings.WebInterval = 1;
    }

    // Starts the show, which asks for the first page at once.
    void Start() {
        session = std::make_unique<ShowSession>(ShowEnvironment{
            settings,
            [](std::string& item) {
                if (item.rfind("missing", 0) == 0) {
                    item = "/saver/" + item;
                    return false;
                }
                return true;
            },
            random, windows, shell, hook, companions, executable_form, hosted, copies_folder});
        session->Run();
    }
    FakeBrowser& MainBrowser() { return windows.windows.front()->browser; }
    void Ticks(int count) {
        for (int i = 0; i < count; ++i) {
            windows.Fire(100);
        }
    }

    TSaverSetting settings;
    RandomSource random{7};
    test::FakeWindowSystem windows;
    test::FakeShell shell;
    test::FakeHook hook;
    TickerTakingArrows companions;
    bool executable_form = false;
    bool hosted = false;
    std::string copies_folder;  // where the show keeps copies of web pages; none when empty
    std::unique_ptr<ShowSession> session;
};

TEST_F(WebShowTest, ShowTakesOverTheDesktopAndPagesInListOrder) {
    Start();
    EXPECT_TRUE(windows.windows.front()->visible);
    EXPECT_TRUE(windows.screen_saver_running);
    EXPECT_FALSE(windows.cursor_visible);
    EXPECT_TRUE(windows.windows.front()->input_grabbed);
    EXPECT_TRUE(windows.windows.front()->panel_visible[ShowPanel::Status]);
    EXPECT_EQ(companions.music_starts, 1);
    EXPECT_EQ(MainBrowser().loads, std::vector<std::string>{"http://a/"});
    // Each page stays WebInterval x 10 + 1 ticks.
    Ticks(10);
    EXPECT_EQ(MainBrowser().loads.size(), 1u);
    Ticks(1);
    Ticks(11);
    Ticks(11);  // wraps to the first again
    // The rejected item is navigated to all the same.
    EXPECT_EQ(MainBrowser().loads, (std::vector<std::string>{"http://a/", "http://b/",
                                                             "/saver/missing.htm", "http://a/"}));
}

TEST_F(WebShowTest, IntervalZeroChangesThePageOnEveryTick) {
    settings.WebInterval = 0;
    Start();
    Ticks(3);
    EXPECT_EQ(MainBrowser().loads.size(), 4u);  // the first as the show starts
}

TEST_F(WebShowTest, EmptyWebListLeavesABlackWindowThatStillEndsOnAKey) {
    settings.Web.clear();
    Start();
    Ticks(30);
    EXPECT_TRUE(MainBrowser().loads.empty());
    EXPECT_TRUE(windows.Send(Key('A')));
    EXPECT_TRUE(windows.quit);
}

TEST_F(WebShowTest, NavigationKeysPageThroughTheListWithoutEndingTheShow) {
    settings.OnlyEscKeyExit = false;
    Start();
    Ticks(1);
    // End asks for the last item; it is rejected, so the next page in play order comes.
    EXPECT_TRUE(windows.Send(Key(VK_END)));
    EXPECT_TRUE(windows.Send(Key(VK_HOME)));
    EXPECT_TRUE(windows.Send(Key(VK_PRIOR)));  // before the first: the last, rejected again
    EXPECT_TRUE(windows.Send(Key(VK_NEXT)));
    EXPECT_TRUE(windows.Send(Key(VK_INSERT)));
    EXPECT_EQ(settings.WebSequence, 1);
    EXPECT_FALSE(windows.quit);
    EXPECT_EQ(MainBrowser().loads, (std::vector<std::string>{"http://a/", "http://b/", "http://a/",
                                                             "/saver/missing.htm", "http://a/"}));
    EXPECT_TRUE(windows.Send(Key(VK_DELETE)));
    EXPECT_EQ(settings.Web, (ContentList{"http://b/", "missing.htm"}));
}

TEST_F(WebShowTest, ClosingUndoesEverythingAndOpensTheLastPage) {
    settings.WebLastPage = true;
    settings.Web = {"www.example.org/x"};
    Start();
    Ticks(1);
    EXPECT_TRUE(windows.Send(Key(VK_ESCAPE)));
    EXPECT_TRUE(windows.quit);
    EXPECT_FALSE(windows.windows.front()->visible);
    EXPECT_FALSE(windows.windows.front()->input_grabbed);
    EXPECT_FALSE(windows.screen_saver_running);
    EXPECT_TRUE(windows.cursor_visible);
    EXPECT_FALSE(windows.filter);
    EXPECT_EQ(shell.opened, std::vector<std::string>{"http://www.example.org/x"});
    // Only the executable form blanks the page at the end.
    EXPECT_EQ(MainBrowser().loads.back(), "www.example.org/x");
}

TEST_F(WebShowTest, ExecutableFormBlanksThePageAtTheEnd) {
    executable_form = true;
    Start();
    Ticks(1);
    windows.Send(Key('A'));
    EXPECT_EQ(MainBrowser().loads.back(), "about:blank");
}

TEST_F(WebShowTest, LastPageAddress) {
    const std::pair<const char*, const char*> rows[] = {
        {"HTTP://A.example/", "HTTP://A.example/"},
        {"https://a.example/", "https://a.example/"},
        {"a.example/page", "http://a.example/page"},
        {"C:\\pages\\a.htm", "C:\\pages\\a.htm"},
        {"/home/user/a.htm", "/home/user/a.htm"},
        {"file:///home/user/a.htm", "file:///home/user/a.htm"},
    };
    for (const auto& [page, expected] : rows) {
        EXPECT_EQ(LastPageAddress(page), expected) << page;
    }
}

TEST_F(WebShowTest, TickerTakesItsKeysAndEnterEndsTheShow) {
    settings.OnlyEscKeyExit = true;
    Start();
    EXPECT_TRUE(windows.Send(Key(VK_DOWN)));
    EXPECT_FALSE(windows.quit);
    EXPECT_FALSE(windows.Send(Key('A')));  // on to the page
    EXPECT_FALSE(windows.quit);
    EXPECT_TRUE(windows.Send(Key(VK_RETURN)));
    EXPECT_TRUE(windows.quit);
}

TEST_F(WebShowTest, LinkClickOpensTheLinkInTheShellAndEndsTheShow) {
    settings.WebLinkExit = true;
    Start();
    Ticks(1);
    EXPECT_FALSE(windows.Send(Mouse(WM_LBUTTONUP)));  // the page gets the click
    BrowserEvents* events = MainBrowser().events_;
    EXPECT_TRUE(events->NewWindow("http://link/"));
    // The show's own page change inside the link window is no link.
    EXPECT_TRUE(events->BeforeNavigate("http://b/", true));
    EXPECT_TRUE(shell.opened.empty());
    EXPECT_FALSE(events->BeforeNavigate("http://link/", false));  // cancelled in the show
    EXPECT_EQ(shell.opened, std::vector<std::string>{"http://link/"});
    EXPECT_FALSE(windows.quit);
    windows.Fire(600);
    EXPECT_TRUE(windows.quit);
}

// A page's link to a local file or a scheme of some other program is dropped: nothing
// opens, the show stays, and the click counts as one beside a link.
TEST_F(WebShowTest, LinkWindowDropsAddressesBrowsersWouldNotOpen) {
    settings.WebLinkExit = true;
    settings.MousePress = false;
    Start();
    windows.Send(Mouse(WM_LBUTTONUP));
    BrowserEvents* events = MainBrowser().events_;
    testing::internal::CaptureStderr();
    EXPECT_FALSE(events->BeforeNavigate("file:///etc/passwd", false));
    EXPECT_FALSE(events->BeforeNavigate("sftp://host/", false));
    EXPECT_NE(testing::internal::GetCapturedStderr(), "");
    EXPECT_TRUE(shell.opened.empty());
    windows.Fire(600);
    EXPECT_FALSE(windows.quit);
}

TEST_F(WebShowTest, ClickBesideALinkEndsOnlyWhenTheButtonRuleAllows) {
    settings.WebLinkExit = true;
    settings.MousePress = false;
    Start();
    windows.Send(Mouse(WM_LBUTTONUP));
    windows.Fire(600);
    EXPECT_FALSE(windows.quit);
    // Outside the link window new windows are refused and navigations go on.
    EXPECT_FALSE(MainBrowser().events_->NewWindow("http://popup/"));
    EXPECT_TRUE(MainBrowser().events_->BeforeNavigate("http://next/", false));
}

TEST_F(WebShowTest, DialogsAreClosedAtOnce) {
    Start();
    MainBrowser().events_->ShowDialog(42);
    EXPECT_EQ(MainBrowser().closed_dialogs, std::vector<DialogHandle>{42});
}

TEST_F(WebShowTest, AutoScrollScrollsThePageBeforeTheNextOne) {
    settings.WebAutoScroll = true;
    settings.WebInterval = 0;
    Start();
    MainBrowser().metrics = {519, 800};  // 19 px more than the browser: not scrolled
    Ticks(2);
    EXPECT_EQ(MainBrowser().scrolled, 0);
    MainBrowser().metrics = {540, 800};
    Ticks(1);
    EXPECT_EQ(MainBrowser().scrolled, 40);
    EXPECT_EQ(windows.waited_ms, 400);
}

TEST_F(WebShowTest, ThreeMonitorsWithWebSameMonitorGiveThreeShowWindows) {
    windows.monitors = {{0, 0, 800, 600}, {800, 0, 640, 480}, {1440, 0, 1024, 768}};
    Start();
    ASSERT_EQ(windows.covers.size(), 2u);
    EXPECT_EQ(windows.covers[1]->area.left, 1440);
    ASSERT_EQ(session->SecondaryForms().size(), 2u);
    EXPECT_EQ(windows.windows[1]->parent, windows.covers[0]);
    EXPECT_EQ(companions.music_starts, 3);
    Ticks(1);
    for (auto* window : windows.windows) {
        EXPECT_EQ(window->browser.loads.size(), 1u);
    }
    windows.Send(Key('A'));
    EXPECT_FALSE(windows.covers[0]->visible);
    EXPECT_FALSE(windows.windows[2]->visible);
}

TEST_F(WebShowTest, FurtherMonitorsStayBlackWithoutWebSameMonitor) {
    settings.WebSameMonitor = false;
    windows.monitors = {{0, 0, 800, 600}, {800, 0, 640, 480}};
    Start();
    EXPECT_EQ(windows.covers.size(), 1u);
    EXPECT_TRUE(session->SecondaryForms().empty());
    session->Covers().CoverFurtherMonitors();
    EXPECT_EQ(windows.covers.size(), 1u);  // a second call while covers exist
}

TEST_F(WebShowTest, HookIsInstalledAfterTwentyTicksAndEndsTheShow) {
    settings.HookApplete = true;
    settings.MouseMove = true;
    Start();
    Ticks(19);  // the counter starts at 1 and must pass 20
    EXPECT_FALSE(hook.Installed());
    Ticks(1);
    ASSERT_TRUE(hook.Installed());
    auto record = hook.record;  // the hook is removed while it records
    record(Mouse(WM_LBUTTONDOWN));
    EXPECT_TRUE(windows.quit);
    EXPECT_FALSE(hook.Installed());
}

TEST_F(WebShowTest, HookStaysAwayWhereTheSystemHasNone) {
    settings.HookApplete = true;
    hook.available = false;
    Start();
    Ticks(40);
    EXPECT_FALSE(hook.Installed());
}

TEST_F(WebShowTest, HostedShowPagesOnButTakesNoInputAndNoHook) {
    hosted = true;
    settings.HookApplete = true;
    settings.MouseMove = true;
    Start();
    Ticks(40);
    EXPECT_EQ(MainBrowser().loads.size(), 4u);  // ticks 1, 12, 23 and 34
    for (const InputMessage& message :
         {Key(VK_ESCAPE), Key(VK_NEXT), Key(VK_DOWN), Mouse(WM_LBUTTONDOWN), Mouse(WM_MOUSEMOVE)}) {
        EXPECT_TRUE(windows.Send(message));  // dropped, not handed to the page
    }
    EXPECT_FALSE(windows.quit);
    EXPECT_FALSE(hook.Installed());
    EXPECT_EQ(MainBrowser().loads.size(), 4u);  // no key paged on
}

// A failed page makes way for the next one at the next tick; the end of its load that
// follows the failure is no success.
TEST_F(WebShowTest, FailedPageMakesWayForTheNextAtTheNextTick) {
    Start();
    Ticks(1);
    BrowserEvents* events = MainBrowser().events_;
    events->NavigateError("http://a/", 0);
    events->DocumentComplete("http://a/");
    Ticks(1);
    EXPECT_EQ(MainBrowser().loads, (std::vector<std::string>{"http://a/", "http://b/"}));
    events->DocumentComplete("http://b/");
    Ticks(10);
    EXPECT_EQ(MainBrowser().loads.size(), 2u);  // a page that loaded keeps its interval
}

TEST_F(WebShowTest, WhenEveryPageFailsOnePageIsTriedPerInterval) {
    settings.Web = {"http://a/", "http://b/"};
    Start();
    Ticks(1);
    BrowserEvents* events = MainBrowser().events_;
    events->NavigateError("http://a/", 0);
    Ticks(1);
    events->NavigateError("http://b/", 404);
    Ticks(10);
    EXPECT_EQ(MainBrowser().loads, (std::vector<std::string>{"http://a/", "http://b/"}));
    Ticks(1);
    EXPECT_EQ(MainBrowser().loads.back(), "http://a/");  // tried again on its turn
    // Once a page loads, a failure makes way at once again.
    events->DocumentComplete("http://a/");
    Ticks(11);
    events->NavigateError("http://b/", 0);
    Ticks(1);
    EXPECT_EQ(MainBrowser().loads, (std::vector<std::string>{"http://a/", "http://b/", "http://a/",
                                                             "http://b/", "http://a/"}));
}

class OfflineCopiesShowTest : public WebShowTest {
  protected:
    OfflineCopiesShowTest() {
        copies_folder = folder.Path() + "copies/";
        settings.Web = {"http://a/", "b.htm", "http://c/"};
    }
    test::TempFolder folder;
};

TEST_F(OfflineCopiesShowTest, LoadedWebPageIsKeptAndShownWhenItFailsLater) {
    Start();
    Ticks(1);
    BrowserEvents* events = MainBrowser().events_;
    events->DocumentComplete("http://a/");
    ASSERT_EQ(MainBrowser().saves.size(), 1u);
    MainBrowser().saves[0]("archive of a");
    // The copy is written on a thread of its own.
    ASSERT_TRUE(
        test::Eventually([this] { return session->Copies()->Find("http://a/").has_value(); }));
    // Later the page fails: its copy comes in its place, and the status line says so.
    Ticks(11);  // b.htm
    Ticks(11);  // http://c/
    Ticks(11);  // http://a/ again
    events->NavigateError("http://a/", 0);
    events->DocumentComplete("http://a/");
    Ticks(1);
    ASSERT_EQ(MainBrowser().archives.size(), 1u);
    EXPECT_EQ(test::ReadFile(MainBrowser().archives[0]), "archive of a");
    EXPECT_EQ(MainBrowser().loads.back(), "http://a/");
    events->DocumentComplete("file:///copy");
    EXPECT_TRUE(windows.windows.front()->texts[ShowPanel::Status].starts_with(
        " offline copy of http://a/ from 2"));
    EXPECT_EQ(MainBrowser().saves.size(), 1u);  // a copy is not kept again
    // A copy that fails too is skipped like its page.
    events->NavigateError("file:///copy", 0);
    Ticks(1);
    EXPECT_EQ(MainBrowser().loads.back(), "b.htm");
}

TEST_F(OfflineCopiesShowTest, OnlyWebAddressesAreKeptAndNothingWithTheKeyOff) {
    Start();
    Ticks(12);  // b.htm, a packaged page
    MainBrowser().events_->DocumentComplete("file:///b.htm");
    EXPECT_TRUE(MainBrowser().saves.empty());

    settings.WebOfflineCopies = false;
    Ticks(11);  // http://c/
    MainBrowser().events_->DocumentComplete("http://c/");
    EXPECT_TRUE(MainBrowser().saves.empty());
}

TEST_F(OfflineCopiesShowTest, FailedPageWithoutACopyIsSkipped) {
    Start();
    Ticks(1);
    MainBrowser().events_->NavigateError("http://a/", 0);
    Ticks(1);
    EXPECT_TRUE(MainBrowser().archives.empty());
    EXPECT_EQ(MainBrowser().loads.back(), "b.htm");
}

}  // namespace
}  // namespace saver
