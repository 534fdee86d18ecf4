// The show of a real saver file on a Wayland session, natively (no Xwayland): on sway,
// with two outputs, a panel and another program's window, the show covers both outputs
// over the panel, takes the keys, and leaves nothing behind. The saver runs as the
// session's user; its working and home folders are the run's, so that the checks of the
// X11 tests apply as they are.
#include <gtest/gtest.h>
#include <signal.h>

#include <algorithm>
#include <chrono>
#include <cstdio>

#include "CleanEnd.h"
#include "SaverRun.h"
#include "WaylandSaverRun.h"
#include "support/FeedServer.h"
#include "support/WaylandSession.h"

namespace saver {
namespace {

using test::ChildProcess;
using test::Compositor;
using test::Eventually;
using test::SaverRun;
using test::WaylandSession;

constexpr const char* kPageColour = "#996633";  // p2.htm's background

// True when the process `pid` runs with `variable` ("NAME=VALUE") in its environment.
bool RunsWith(pid_t pid, const std::string& variable) {
    const std::string environment =
        '\0' + test::ReadFile("/proc/" + std::to_string(pid) + "/environ");
    return environment.find('\0' + variable + '\0') != std::string::npos;
}

// The command lines of `processes`, one a line.
std::string CommandLines(const std::vector<pid_t>& processes) {
    std::string lines;
    for (pid_t pid : processes) {
        std::string line = test::ReadFile("/proc/" + std::to_string(pid) + "/cmdline");
        std::replace(line.begin(), line.end(), '\0', ' ');
        lines += line + "\n";
    }
    return lines;
}

class WaylandShowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!session.Unavailable().empty()) {
            GTEST_SKIP() << session.Unavailable();
        }
        ShareRunWithSession(run, session);
    }

    void StartSaver(const std::vector<std::string>& arguments, bool capture_errors = false) {
        StartSaverInSession(run, session, arguments, capture_errors);
    }

    bool KeepAKeyboard() {
        keyboard = test::KeepAKeyboard(session);
        return keyboard != nullptr;
    }

    // The colour at (x, y) of `output`; empty when no screenshot could be taken.
    std::string OutputColour(const WaylandSession::Output& output, int x, int y) {
        const std::string shot = session.Home() + "/" + output.name + ".png";
        return session.Screenshot(shot, output.name) ? SaverRun::PixelColour(shot, x, y) : "";
    }

    WaylandSession session{Compositor::kSway};
    SaverRun run;
    std::unique_ptr<ChildProcess> keyboard;
};

// What covers a further output: the page with WebSameMonitor, else the black cover.
struct CoverCase {
    const char* name;
    bool same_monitor;
    const char* further;
};

class SwayShowTest : public WaylandShowTest, public ::testing::WithParamInterface<CoverCase> {};

TEST_P(SwayShowTest, CoversEveryOutputAndThePanelTakesTheKeysAndLeavesNothing) {
    const CoverCase& c = GetParam();
    const std::vector<WaylandSession::Output> outputs = session.SwayOutputs();
    ASSERT_EQ(outputs.size(), 2u);
    ASSERT_TRUE(KeepAKeyboard());
    // Another program's window has the focus when the show starts.
    const auto window = session.OpenWindow("a-window-of-the-user");
    ASSERT_TRUE(run.MakeSaver(std::string("WebInterval=60\nWebShowStatus=0\nWebSameMonitor=") +
                                  (c.same_monitor ? "1" : "0"),
                              {run.Url("p2.htm"), run.Url("p3.htm")}));
    StartSaver({"/s"});
    ASSERT_TRUE(run.WaitFor("/p2.htm"));
    // The page fills the first output, the panel's place at its bottom included.
    const WaylandSession::Output& first = outputs[0];
    const WaylandSession::Output& second = outputs[1];
    const int panel_y = first.height - WaylandSession::kPanelHeight / 2;
    EXPECT_TRUE(Eventually([&] {
        return OutputColour(first, first.width / 2, first.height / 2) == kPageColour &&
               OutputColour(first, first.width - 4, panel_y) == kPageColour;
    })) << "first output: "
        << OutputColour(first, first.width - 4, panel_y);
    EXPECT_TRUE(Eventually([&] {
        return OutputColour(second, second.width / 2, second.height / 2) == c.further &&
               OutputColour(second, second.width - 4, panel_y) == c.further;
    })) << "second output: "
        << OutputColour(second, second.width - 4, panel_y);

    // The keys reach the show, not the window that had the focus: Page Down pages on.
    ASSERT_TRUE(session.Key("Page_Down"));
    EXPECT_TRUE(run.WaitFor("/p3.htm"));
    const auto start = std::chrono::steady_clock::now();
    ASSERT_TRUE(session.Key("Escape"));
    ASSERT_TRUE(run.Ended());
    const auto took = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now() - start);
    std::printf("the show ended %lld ms after Esc\n", static_cast<long long>(took.count()));
    test::ExpectCleanEnd(run, "");

    // Nothing of the saver is left among the user's processes: none runs in the saver's
    // environment, its web engine's and anything they started included. (Services the
    // session's bus starts on request, such as the accessibility bus, have the session's
    // environment and stay with the session, as on any desktop.)
    const std::string saver_runtime = "XDG_RUNTIME_DIR=" + run.Folder() + "/run";
    std::vector<pid_t> left;
    EXPECT_TRUE(Eventually([&] {
        left = session.User().Processes();
        std::erase_if(left, [&](pid_t pid) { return !RunsWith(pid, saver_runtime); });
        return left.empty();
    })) << CommandLines(left);
    EXPECT_FALSE(window->WaitExit(0).has_value());
    EXPECT_TRUE(Eventually([&] {
        return OutputColour(first, first.width - 4, panel_y) == WaylandSession::kPanelColour;
    }));
}

const CoverCase kCoverCases[] = {
    {"FurtherOutputShowsThePage", true, kPageColour},
    {"FurtherOutputCovered", false, "#000000"},
};

INSTANTIATE_TEST_SUITE_P(Outputs, SwayShowTest, ::testing::ValuesIn(kCoverCases),
                         [](const auto& info) { return std::string(info.param.name); });

// The brightest grey level (0 to 1) of a screenshot's area.
double Brightest(const std::string& shot, int x, int y, int width, int height) {
    const std::string output =
        test::CommandOutput("convert " + shot + " -crop " + std::to_string(width) + "x" +
                            std::to_string(height) + "+" + std::to_string(x) + "+" +
                            std::to_string(y) + " -colorspace gray -format '%[fx:maxima]' info:");
    return output.empty() ? 0 : std::stod(output);
}

// True when every channel of "#RRGGBB" is below a quarter of its range.
bool Dark(const std::string& colour) {
    return colour.size() == 7 && std::stoul(colour.substr(1, 2), nullptr, 16) < 0x40 &&
           std::stoul(colour.substr(3, 2), nullptr, 16) < 0x40 &&
           std::stoul(colour.substr(5, 2), nullptr, 16) < 0x40;
}

TEST_F(WaylandShowTest, TheFeedTickerShowsAtTheTopLeftInsideTheShow) {
    ASSERT_TRUE(KeepAKeyboard());
    test::FeedServer feeds(std::string(SAVER_TEST_DATA) + "/feeds");
    ASSERT_TRUE(run.MakeSaver(
        "WebInterval=600\nUseFeed=1\nRandomFeed=0\n[feeds]\nNews=" + feeds.Url("ticker/news.xml"),
        {run.Url("p2.htm")}));
    StartSaver({"/s"});
    ASSERT_EQ(feeds.NextRequest(test::kColdStartMs), "/ticker/news.xml");
    // The ticker's translucent black 12 px from the corner of the first output, its title
    // in light letters, the page beside it.
    const WaylandSession::Output first = session.SwayOutputs().at(0);
    const std::string shot = session.Home() + "/ticker.png";
    EXPECT_TRUE(Eventually([&] {
        return session.Screenshot(shot, first.name) && Dark(SaverRun::PixelColour(shot, 14, 80)) &&
               Brightest(shot, 19, 12, 423, 40) > 0.6 &&
               SaverRun::PixelColour(shot, first.width / 2, first.height * 3 / 4) == kPageColour;
    })) << SaverRun::PixelColour(shot, 14, 80);
    ASSERT_TRUE(session.Key("Escape"));
    test::ExpectCleanEnd(run, "");
}

// The show on the other compositors: GNOME's mutter, which has no layer-shell (full-screen
// windows), and KDE's KWin (overlay surfaces). Neither offers the screenshot and virtual
// keyboard protocols of wlroots, so the test sees the page's request and ends the show as
// a session's end does.
class CompositorShowTest : public ::testing::TestWithParam<Compositor> {};

TEST_P(CompositorShowTest, ShowsThePageNativelyAndEndsCleanly) {
    WaylandSession session(GetParam());
    if (!session.Unavailable().empty()) {
        GTEST_SKIP() << session.Unavailable();
    }
    SaverRun run;
    ShareRunWithSession(run, session);
    ASSERT_TRUE(run.MakeSaver("WebInterval=60", {run.Url("p2.htm")}));
    StartSaverInSession(run, session, {"/s"});
    ASSERT_TRUE(run.WaitFor("/p2.htm"));
    EXPECT_FALSE(run.Ended(2000));
    run.Program().Signal(SIGTERM);
    ASSERT_TRUE(run.Ended());
    EXPECT_EQ(run.WorkingFiles(), std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(Compositors, CompositorShowTest,
                         ::testing::Values(Compositor::kMutter, Compositor::kKWin),
                         [](const auto& info) {
                             return std::string(info.param == Compositor::kMutter ? "Mutter"
                                                                                  : "KWin");
                         });

// The preview and the display modes draw inside an X window, which a Wayland session
// without Xwayland does not have: one line says so, and the status is not 0.
class XOnlyModesTest : public WaylandShowTest,
                       public ::testing::WithParamInterface<std::vector<std::string>> {};

TEST_P(XOnlyModesTest, SayInOneLineThatTheyNeedX) {
    ASSERT_TRUE(run.MakeSaver("", {run.Url("p2.htm")}));
    StartSaver(GetParam(), true);
    ASSERT_TRUE(run.Ended());
    EXPECT_NE(run.ExitStatus(), 0);
    const std::string errors = run.ErrorOutput();
    EXPECT_EQ(std::count(errors.begin(), errors.end(), '\n'), 1) << errors;
    EXPECT_NE(errors.find("X"), std::string::npos) << errors;
    EXPECT_EQ(run.WorkingFiles(), std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(Switches, XOnlyModesTest,
                         ::testing::Values(std::vector<std::string>{"/p", "12345"},
                                           std::vector<std::string>{"--root"},
                                           std::vector<std::string>{"--window-id", "0x400001"}),
                         [](const auto& info) {
                             std::string name = info.param.front();
                             std::erase_if(name, [](char c) { return !std::isalnum(c); });
                             return name;
                         });

}  // namespace
}  // namespace saver
