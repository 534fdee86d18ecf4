// The show of a real saver file made by saverpack, run with "/s" under Xvfb, its pages
// served by a loopback server, input sent with xdotool and everything checked from
// outside: the page requests, the screen, the exit status and the files left behind.
#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <random>
#include <set>

#include "CleanEnd.h"
#include "SaverRun.h"
#include "support/WebProcesses.h"

namespace saver {
namespace {

using test::Eventually;
using test::ExpectCleanEnd;
using test::SaverRun;

// Checks that the pages change in list order, round and round, `changes` times. The
// timer runs on while a cold web engine starts, so its first navigations may be dropped
// before they reach the server: the order is checked from the first request that comes.
// (That the show starts with the first page is seen with a long interval below.)
void ExpectPagesInListOrder(SaverRun& run, const std::vector<std::string>& order, int changes) {
    std::string page = run.NextPage();
    for (int change = 0; change < changes; ++change) {
        const auto at = std::find(order.begin(), order.end(), page);
        ASSERT_NE(at, order.end()) << page;
        const std::string next = run.NextPage();
        EXPECT_EQ(next, order[static_cast<size_t>(at - order.begin() + 1) % order.size()])
            << "after " << page;
        page = next;
    }
}

TEST(ShowEndToEndTest, PagesChangeOnTheTimerInListOrder) {
    SaverRun run;
    ASSERT_TRUE(run.StartShow("WebInterval=1", {"p1.htm", "p2.htm", "p3.htm"}));
    ExpectPagesInListOrder(run, {"/p1.htm", "/p2.htm", "/p3.htm"}, 4);
    ExpectCleanEnd(run);
}

// A show that plays no music and fetches no feeds starts neither GStreamer (whose first
// start would make its plug-in registry in the fresh home) nor libcurl (which would be
// mapped into the process), also after the ticker's first tick two seconds in.
TEST(ShowEndToEndTest, ShowWithoutMusicOrFeedsStartsNeitherGStreamerNorLibcurl) {
    SaverRun run;
    ASSERT_TRUE(run.StartShow("WebInterval=3", {"p1.htm", "p2.htm"}));
    ASSERT_FALSE(run.NextPage().empty());
    ASSERT_FALSE(run.NextPage().empty());  // three seconds later
    std::ifstream maps("/proc/" + std::to_string(run.SaverPid()) + "/maps");
    const std::string mapped((std::istreambuf_iterator<char>(maps)), {});
    ASSERT_NE(mapped.find("libwebkit2gtk"), std::string::npos);  // the map was read
    EXPECT_EQ(mapped.find("libcurl"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(run.Folder() + "/home/.cache/gstreamer-1.0"));
    ExpectCleanEnd(run);
}

// Starts the show and waits until the middle of the screen has `colour`; the last
// screenshot stays in Folder() + "/shot.png".
bool StartAndSee(SaverRun& run, const std::string& colour) {
    run.Start();
    const std::string shot = run.Folder() + "/shot.png";
    return Eventually(
        [&] { return run.Screenshot(shot) && SaverRun::PixelColour(shot, 400, 300) == colour; });
}

// Full-screen pages that change several times a second are a seizure risk: an interval
// of 0 shows each page for at least a second. The screen's middle is sampled every 50 ms
// and the changes of colour between the three pages are counted.
TEST(ShowEndToEndTest, IntervalZeroChangesPagesAtMostOnceASecond) {
    SaverRun run;
    ASSERT_TRUE(run.StartShow("WebInterval=0", {"p1.htm", "p2.htm", "p3.htm"}));
    const std::set<std::string> pages = {"#336699", "#996633", "#339966"};
    using Clock = std::chrono::steady_clock;
    const Clock::time_point deadline = Clock::now() + std::chrono::seconds(60);
    std::string shown;
    Clock::time_point first;
    int changes = 0;
    // Samples for at least 5 s after the first page, and until the pages changed twice.
    while (Clock::now() < deadline &&
           (shown.empty() || changes < 2 || Clock::now() - first < std::chrono::seconds(5))) {
        const std::string colour = run.ScreenColour(400, 300);
        if (pages.count(colour) && colour != shown) {
            if (shown.empty()) {
                first = Clock::now();
            } else {
                ++changes;
            }
            shown = colour;
        }
        usleep(50000);
    }
    const double seconds = std::chrono::duration<double>(Clock::now() - first).count();
    EXPECT_GE(changes, 2) << "the pages went on changing";
    EXPECT_LE(changes, seconds + 1) << changes << " changes in " << seconds << " s";
    ExpectCleanEnd(run);
}

TEST(ShowEndToEndTest, PackagedPagesAreShownFullScreenWithTheStatusLine) {
    SaverRun run;
    ASSERT_TRUE(run.StartX());
    std::filesystem::copy_file(std::string(SAVER_TEST_DATA) + "/show/site/p2.htm",
                               run.Folder() + "/content/p2.htm");
    ASSERT_TRUE(run.MakeSaver("WebInterval=60", {"(File) p2.htm"}));
    EXPECT_TRUE(StartAndSee(run, "#996633"));
    // The status line, in the last screenshot.
    EXPECT_EQ(SaverRun::PixelColour(run.Folder() + "/shot.png", 400, 595), "#000000");
    // The packaged page was unpacked into the working folder while the show ran.
    EXPECT_FALSE(run.WorkingFiles().empty());
    ExpectCleanEnd(run);
}

// A page too large for the package, given as a package item while it also lies in the
// content folder: it leaves the package, so the saver fits, and the show shows it.
TEST(ShowEndToEndTest, AnItemFromTheContentFolderLeavesThePackageAndIsShown) {
    SaverRun run;
    ASSERT_TRUE(run.StartX());
    std::string noise;
    std::mt19937 random(17);
    for (int i = 0; i < 400000; ++i) {
        noise += static_cast<char>('a' + random() % 26);
    }
    const std::string big = run.Folder() + "/content/big/big.htm";
    std::filesystem::create_directories(run.Folder() + "/content/big");
    std::ofstream(big) << "<body style=\"background:#996633\"><!-- " << noise << " --></body>";
    ASSERT_TRUE(run.MakeSaver("WebInterval=60", {"(File) big.htm"}, {big}));
    EXPECT_TRUE(StartAndSee(run, "#996633"));
    ExpectCleanEnd(run);
}

// The bytes Notepad saves as "Unicode": UTF-16 LE after its byte-order mark.
std::string Utf16LeWithMark(std::u16string_view text) {
    std::string bytes = "\xFF\xFE";
    for (char16_t unit : text) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8);
    }
    return bytes;
}

TEST(ShowEndToEndTest, SaverFromAUtf16SettingsFileShowsItsFirstPage) {
    SaverRun run;
    ASSERT_TRUE(run.StartX());
    std::filesystem::copy_file(std::string(SAVER_TEST_DATA) + "/show/site/p2.htm",
                               run.Folder() + "/content/Caf\xC3\xA9.htm");
    ASSERT_TRUE(run.MakeSaverFromSettings(Utf16LeWithMark(
        u"[Set]\r\nScrName=Caf\u00e9\r\nWebInterval=60\r\n[Web]\r\n(File) Caf\u00e9.htm=1\r\n")));
    EXPECT_TRUE(StartAndSee(run, "#996633"));
    ExpectCleanEnd(run);
}

struct ExitCase {
    const char* name;
    const char* settings;
    const char* input;  // xdotool arguments
    bool ends;
    const char* close = "key Escape";  // what ends the show when `input` did not
};

std::string Moves(int count) {
    std::string moves;
    for (int i = 0; i < count; ++i) {
        moves += " mousemove " + std::to_string(100 + 7 * i) + " " + std::to_string(100 + 5 * i);
    }
    return moves.substr(1);
}

const std::string kTwentyMoves = Moves(20);
const std::string kTwentyOneMoves = Moves(21);
const std::string kFortyOneMoves = Moves(41);  // 21 in a row whatever resets fall inside

const ExitCase kExitCases[] = {
    {"DefaultsKeyEnds", "", "key a", true},
    {"DefaultsClickEnds", "", "click 1", true},
    {"NoConditionKeyEnds", "MousePress=0\nKeyboardPress=0", "key a", true},
    {"NoConditionClickGoesOn", "MousePress=0\nKeyboardPress=0", "click 1", false},
    {"OnlyEscOtherKeyGoesOn", "OnlyEscKeyExit=1", "key a", false},
    {"OnlyEscClickGoesOn", "OnlyEscKeyExit=1", "click 1", false},
    {"OnlyEscEscEnds", "OnlyEscKeyExit=1", "key Escape", true},
    {"CursorWheelGoesOn", "ShowCursor=1\nKeyboardPress=0", "click 5", false},
    {"CursorMiddleButtonGoesOn", "ShowCursor=1\nKeyboardPress=0", "click 2", false},
    {"CursorKeyEnds", "ShowCursor=1\nKeyboardPress=0", "key a", true},
    {"MousePressWheelGoesOn", "KeyboardPress=0", "click 5", false, "click 1"},
    {"MousePressRightButtonEnds", "KeyboardPress=0", "click 3", true},
    {"TwentyMovesGoOn", "MouseMove=1\nMousePress=0\nKeyboardPress=0", kTwentyMoves.c_str(), false,
     kFortyOneMoves.c_str()},
    {"TwentyFirstMoveEnds", "MouseMove=1\nMousePress=0\nKeyboardPress=0", kTwentyOneMoves.c_str(),
     true},
};

class ExitConditionTest : public ::testing::TestWithParam<ExitCase> {};

TEST_P(ExitConditionTest, EndsOnlyOnAcceptedInput) {
    const ExitCase& row = GetParam();
    SaverRun run;
    ASSERT_TRUE(run.StartShow(std::string("WebInterval=60\n") + row.settings, {"p1.htm"}));
    ASSERT_TRUE(run.WaitFor("/p1.htm"));
    ASSERT_TRUE(run.WaitForWindow("show"));
    run.Xdo(row.input);
    // Waits briefly for an end that should not come, long for one that should (a busy
    // machine).
    bool ended = run.Ended(row.ends ? 5000 : 1500);
    if (!ended && row.ends) {
        if (std::string(row.settings).starts_with("MouseMove=1")) {
            // The 3-second reset of the move count may have fallen inside the burst; a
            // second burst cannot straddle one too.
            run.Xdo(row.input);
        }
        ended = run.Ended();
    }
    EXPECT_EQ(ended, row.ends);
    ExpectCleanEnd(run, row.ends ? "" : row.close);
}

INSTANTIATE_TEST_SUITE_P(Rows, ExitConditionTest, ::testing::ValuesIn(kExitCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ShowEndToEndTest, KeysTheExitConditionsRefuseReachThePage) {
    SaverRun run;
    ASSERT_TRUE(run.StartShow("WebInterval=60\nOnlyEscKeyExit=1", {"keys.htm"}));
    ASSERT_TRUE(run.WaitFor("/after-listening"));
    ASSERT_TRUE(run.WaitForWindow("show"));
    // Ctrl reaches the page, Ctrl+N never does.
    run.Xdo("key ctrl+n key b");
    EXPECT_EQ(run.NextPage(), "/key-17");
    EXPECT_EQ(run.NextPage(), "/key-66");
    ExpectCleanEnd(run);
}

// A key typed while another program's window has the focus ends the show, with the
// system-wide hook (installed about 2 seconds after the show starts) or without it: the
// show holds the keyboard while it runs.
class SystemWideHookTest : public ::testing::TestWithParam<bool> {};

TEST_P(SystemWideHookTest, KeyForAnotherWindowEndsTheShow) {
    const bool hook = GetParam();
    SaverRun run;
    ASSERT_TRUE(run.StartShow(std::string("WebInterval=60\nHookApplete=") + (hook ? "1" : "0"),
                              {"p1.htm"}));
    ASSERT_TRUE(run.WaitFor("/p1.htm"));
    const unsigned long other = run.CreateParentWindow(0, 0, 200, 200);
    ASSERT_NE(other, 0u);
    // The show grabs the keyboard once its window is up, later on a busy machine: keys go
    // to the other window until one ends the show, with or without the hook.
    const std::string key_to_other = "windowfocus --sync " + std::to_string(other) + " key a";
    EXPECT_TRUE(Eventually([&] {
        run.Xdo(key_to_other);
        return run.Ended(1000);
    }));
    ExpectCleanEnd(run, "");
}

INSTANTIATE_TEST_SUITE_P(HookApplete, SystemWideHookTest, ::testing::Bool());

TEST(ShowEndToEndTest, NavigationKeysPageThroughTheList) {
    SaverRun run;
    ASSERT_TRUE(run.StartShow("WebInterval=60", {"p1.htm", "p2.htm", "p3.htm"}));
    ASSERT_TRUE(run.WaitFor("/p1.htm"));
    // Page Down, End, Home, Page Up on the first (the last comes), Delete (the last goes,
    // the next in order comes), then Insert and Pause, which load nothing.
    const std::pair<const char*, const char*> steps[] = {
        {"Next", "/p2.htm"},  {"End", "/p3.htm"},    {"Home", "/p1.htm"},
        {"Prior", "/p3.htm"}, {"Delete", "/p1.htm"},
    };
    for (const auto& [key, page] : steps) {
        run.Xdo(std::string("key ") + key);
        EXPECT_EQ(run.NextPage(), page) << key;
    }
    run.Xdo("key Insert key Pause");
    EXPECT_EQ(run.NextPage(800), "");
    EXPECT_FALSE(run.Ended(100));
    ExpectCleanEnd(run);
}

TEST(ShowEndToEndTest, LastPageOpensInTheUsersBrowser) {
    SaverRun run;
    ASSERT_TRUE(run.StartShow("WebInterval=60\nWebLastPage=1", {"p2.htm"}));
    ASSERT_TRUE(run.WaitFor("/p2.htm"));
    ExpectCleanEnd(run);
    Eventually([&] { return !run.Opened().empty(); });
    EXPECT_EQ(run.Opened(), std::vector<std::string>{run.Url("p2.htm")});
}

TEST(ShowEndToEndTest, ClickedLinkOpensInTheUsersBrowserAndEndsTheShow) {
    SaverRun run;
    ASSERT_TRUE(run.StartShow("WebInterval=60\nWebLinkExit=1", {"link.htm"}));
    ASSERT_TRUE(run.WaitFor("/link.htm"));
    ASSERT_TRUE(run.WaitForWindow("show"));
    run.Xdo("mousemove 300 300 click 1");
    ASSERT_TRUE(run.Ended());
    EXPECT_EQ(run.Opened(), std::vector<std::string>{run.Url("target.htm")});
    ExpectCleanEnd(run, "");
}

// A packaged page (a local file) whose link leads to another local file and whose script
// then goes to another program's scheme: both are dropped, each with a line on stderr;
// nothing opens and the show goes on.
TEST(ShowEndToEndTest, LinksBrowsersWouldNotOpenAreDropped) {
    SaverRun run;
    ASSERT_TRUE(run.StartX());
    std::filesystem::copy_file(std::string(SAVER_TEST_DATA) + "/show/site/bad-links.htm",
                               run.Folder() + "/content/bad-links.htm");
    ASSERT_TRUE(run.MakeSaver("WebInterval=60\nWebLinkExit=1\nMousePress=0", {"bad-links.htm"}));
    run.Start({"/s"}, true);
    ASSERT_TRUE(Eventually([&] { return run.ScreenColour(400, 300) == "#333333"; }));
    run.Xdo("mousemove 300 300 click 1");
    EXPECT_FALSE(run.Ended(1500));
    EXPECT_EQ(run.Opened(), std::vector<std::string>{});
    ExpectCleanEnd(run);
    const std::string errors = run.ErrorOutput();
    for (const char* address : {"file:///etc/passwd", "sftp://host/file"}) {
        EXPECT_NE(errors.find(std::string("saverhost: not opening ") + address), std::string::npos)
            << address;
    }
}

TEST(ShowEndToEndTest, PageChangesAfterAClickAreNoLinks) {
    SaverRun run;
    ASSERT_TRUE(run.StartShow("WebInterval=0\nWebLinkExit=1\nMousePress=0", {"p1.htm", "p2.htm"}));
    ASSERT_TRUE(run.WaitFor("/p2.htm"));
    run.Xdo("mousemove 300 300 click 1");
    EXPECT_FALSE(run.Ended(1500));
    EXPECT_EQ(run.Opened(), std::vector<std::string>{});
    ExpectCleanEnd(run);
}

TEST(ShowEndToEndTest, PageThatNeverFinishesDoesNotStopPaging) {
    SaverRun run;
    ASSERT_TRUE(run.StartShow("WebInterval=1", {"hang.htm", "p1.htm"}));
    ExpectPagesInListOrder(run, {"/hang.htm", "/p1.htm"}, 3);
    ExpectCleanEnd(run);
}

TEST(ShowEndToEndTest, ScriptMessageBoxIsClosedAtOnce) {
    SaverRun run;
    ASSERT_TRUE(run.StartShow("WebInterval=60", {"alert.htm"}));
    EXPECT_TRUE(run.WaitFor("/after-alert"));
    ExpectCleanEnd(run);
}

TEST(ShowEndToEndTest, ShowGoesOnWhenTheWebProcessIsKilled) {
    SaverRun run;
    ASSERT_TRUE(run.StartShow("WebInterval=1", {"p1.htm", "p2.htm"}));
    ASSERT_TRUE(run.WaitFor("/p2.htm"));
    const std::vector<pid_t> processes = test::WebProcessesOf(run.SaverPid());
    ASSERT_FALSE(processes.empty());
    for (pid_t pid : processes) {
        kill(pid, SIGKILL);
    }
    EXPECT_TRUE(run.WaitFor("/p1.htm"));
    EXPECT_TRUE(run.WaitFor("/p2.htm"));
    ExpectCleanEnd(run);
}

TEST(ShowEndToEndTest, ExecutableFormShowsWhateverTheSwitch) {
    SaverRun run;
    ASSERT_TRUE(run.StartX());
    ASSERT_TRUE(run.MakeSaver("WebInterval=60", {run.Url("p3.htm")}));
    run.StartAsProgram({"/c"});
    EXPECT_TRUE(run.WaitFor("/p3.htm"));
    ExpectCleanEnd(run);
}

// As a display mode of xscreensaver: the show draws inside the window it is given and
// nowhere else, the exit conditions do not apply, and SIGTERM ends it cleanly.
TEST(ShowEndToEndTest, DisplayModeShowsInsideItsWindowOnlyAndEndsOnSigterm) {
    SaverRun run;
    ASSERT_TRUE(run.StartX());
    ASSERT_TRUE(run.MakeSaver("WebInterval=60\nMouseMove=1", {run.Url("p2.htm")}));
    const unsigned long window = run.CreateParentWindow(200, 150, 400, 300);
    ASSERT_NE(window, 0u);
    run.Start({"--window-id", std::to_string(window)});
    const std::string shot = run.Folder() + "/shot.png";
    EXPECT_TRUE(Eventually([&] {
        return run.Screenshot(shot) && SaverRun::PixelColour(shot, 400, 250) == "#996633";
    }));
    EXPECT_EQ(SaverRun::PixelColour(shot, 100, 100), "#000000");  // the rest is not covered
    EXPECT_EQ(SaverRun::PixelColour(shot, 700, 500), "#000000");
    EXPECT_EQ(run.ParentChildren(), 1);
    run.Xdo("mousemove 300 300 mousemove 350 320 click 1 key Escape");
    EXPECT_FALSE(run.Ended(1500));
    run.Program().Signal(SIGTERM);
    ASSERT_TRUE(run.Ended(10000));
    EXPECT_EQ(run.WorkingFiles(), std::vector<std::string>{});
}

TEST(ShowEndToEndTest, WithoutADisplayTheShowFailsClearly) {
    SaverRun run;
    ASSERT_TRUE(run.MakeSaver("", {run.Url("p1.htm")}));
    run.Start();
    ASSERT_TRUE(run.Ended());
    EXPECT_NE(run.ExitStatus(), 0);
    EXPECT_EQ(run.WorkingFiles(), std::vector<std::string>{});
}

// Several monitors of a real X server (Xinerama heads side by side): the show window
// fills the first, and every further one shows the pages too or stays black.
struct MonitorCase {
    const char* name;
    int monitors;
    bool same_monitor;
};

class MonitorsTest : public ::testing::TestWithParam<MonitorCase> {};

TEST_P(MonitorsTest, FurtherMonitorsShowThePagesOrStayBlack) {
    const MonitorCase& c = GetParam();
    SaverRun run;
    ASSERT_TRUE(run.StartX(c.monitors));
    ASSERT_TRUE(run.MakeSaver(std::string("WebInterval=60\nWebShowStatus=0\nWebSameMonitor=") +
                                  (c.same_monitor ? "1" : "0"),
                              {run.Url("p2.htm")}));
    run.Start();
    // Each show window loads the page itself.
    const int show_windows = c.same_monitor ? c.monitors : 1;
    for (int window = 0; window < show_windows; ++window) {
        EXPECT_TRUE(run.WaitFor("/p2.htm")) << "show window " << window;
    }
    const std::string shot = run.Folder() + "/shot.png";
    const std::string further = c.same_monitor ? "#996633" : "#000000";
    auto shown = [&] {
        if (!run.Screenshot(shot) || SaverRun::PixelColour(shot, 400, 300) != "#996633") {
            return false;
        }
        for (int monitor = 1; monitor < c.monitors; ++monitor) {
            if (SaverRun::PixelColour(shot, 800 * monitor + 400, 300) != further) {
                return false;
            }
        }
        return true;
    };
    EXPECT_TRUE(Eventually(shown)) << "further monitors should be " << further;
    ExpectCleanEnd(run);
}

const MonitorCase kMonitorCases[] = {
    {"TwoCovered", 2, false},
    {"TwoShowing", 2, true},
    {"ThreeCovered", 3, false},
    {"ThreeShowing", 3, true},
};

INSTANTIATE_TEST_SUITE_P(Xinerama, MonitorsTest, ::testing::ValuesIn(kMonitorCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace saver
