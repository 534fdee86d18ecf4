// The show of a real saver file on a Wayland session, natively (no Xwayland): on sway,
// with two outputs, a panel and another program's window, the show covers both outputs
// over the panel, takes the keys, and leaves nothing behind. The saver runs as the
// session's user; its working and home folders are the run's, so that the checks of the
// X11 tests apply as they are.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <cstdio>

#include "CleanEnd.h"
#include "SaverRun.h"
#include "support/WaylandSession.h"

namespace saver {
namespace {

using test::ChildProcess;
using test::Compositor;
using test::Eventually;
using test::SaverRun;
using test::WaylandSession;

constexpr const char* kPageColour = "#996633";  // p2.htm's background

// The value of `name` in a list of "NAME=VALUE".
std::string Variable(const std::vector<std::string>& environment, const std::string& name) {
    for (const std::string& entry : environment) {
        if (entry.starts_with(name + "=")) {
            return entry.substr(name.size() + 1);
        }
    }
    return "";
}

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
        // The user reaches the saver and owns the run's home and runtime folders.
        chmod(run.Folder().c_str(), 0755);
        for (const char* folder : {"/home", "/run"}) {
            session.User().Own(run.Folder() + folder);
        }
    }

    // Starts the saver with `arguments` as the session's user: on the session's socket by
    // its full path, with the run's folders and no X display.
    void StartSaver(const std::vector<std::string>& arguments, bool capture_errors = false) {
        const std::vector<std::string> environment = session.Environment();
        const std::string socket = Variable(environment, "XDG_RUNTIME_DIR") + "/" +
                                   Variable(environment, "WAYLAND_DISPLAY");
        std::vector<std::string> argv = {run.SaverFile()};
        argv.insert(argv.end(), arguments.begin(), arguments.end());
        run.StartProgram(session.Command(argv, {"WAYLAND_DISPLAY=" + socket,
                                                "XDG_RUNTIME_DIR=" + run.Folder() + "/run",
                                                "HOME=" + run.Folder() + "/home",
                                                "WEBKIT_DISABLE_SANDBOX_THIS_IS_DANGEROUS=1"}),
                         capture_errors);
    }

    // The colour at (x, y) of `output`; empty when no screenshot could be taken.
    std::string OutputColour(const WaylandSession::Output& output, int x, int y) {
        const std::string shot = session.Home() + "/" + output.name + ".png";
        return session.Screenshot(shot, output.name) ? SaverRun::PixelColour(shot, x, y) : "";
    }

    WaylandSession session{Compositor::kSway};
    SaverRun run;
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
    // A keyboard on the seat all along, as users have one. The headless session has none
    // until wtype makes its own for each key: a show that opens then gets the keyboard's
    // focus after the key is down, and only sees it come up.
    const auto keyboard = session.Start({"wtype", "-s", "3600000"});
    ASSERT_TRUE(Eventually([&] {
        return session.Run({"swaymsg", "-t", "get_inputs"}).out.find("\"keyboard\"") !=
               std::string::npos;
    }));
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
