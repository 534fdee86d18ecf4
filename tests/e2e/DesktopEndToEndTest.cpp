// The show of a real saver file on a desktop as users have it: under a window manager
// with a panel, with another program holding the focus, started from any folder, with
// pages that set cursors or try to save files. Checked from outside, like the other
// end-to-end tests.
// gtest before Xlib, whose macros (None, Bool...) would break gtest's names.
#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <X11/extensions/Xfixes.h>
#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>

#include "CleanEnd.h"
#include "SaverRun.h"
#include "support/SmallTmpfs.h"

namespace saver {
namespace {

namespace fs = std::filesystem;

using test::Desktop;
using test::Eventually;
using test::ExpectCleanEnd;
using test::SaverRun;
using test::ScreenColour;

// True when the cursor the X server now shows has a pixel that is not transparent.
bool CursorVisible(const std::string& display) {
    Display* connection = XOpenDisplay(display.c_str());
    if (!connection) {
        return false;
    }
    bool visible = false;
    if (XFixesCursorImage* image = XFixesGetCursorImage(connection)) {
        for (int i = 0; i < image->width * image->height; ++i) {
            visible = visible || (image->pixels[i] >> 24) != 0;
        }
        XFree(image);
    }
    XCloseDisplay(connection);
    return visible;
}

TEST(DesktopEndToEndTest, CursorStaysHiddenWhateverThePageSets) {
    SaverRun run;
    ASSERT_TRUE(run.StartShow("WebInterval=60\nMousePress=0", {"cursor.htm"}));
    ASSERT_TRUE(run.WaitFor("/after-load"));
    const std::pair<const char*, const char*> places[] = {
        {"mousemove 60 25", "/after-over-text"},
        {"mousemove 300 200", "/after-over-link"},
        {"mousemove 300 380", "/after-over-cross"},
    };
    for (const auto& [move, reached] : places) {
        run.Xdo(move);
        ASSERT_TRUE(run.WaitFor(reached)) << move;
        // The engine sets its cursor while it handles the move: watch for a while.
        for (int i = 0; i < 5; ++i) {
            EXPECT_FALSE(CursorVisible(run.Display())) << reached;
            usleep(100000);
        }
    }
    ExpectCleanEnd(run);
    EXPECT_TRUE(CursorVisible(run.Display())) << "the cursor is back after the show";
}

// Whether a client of the test's own can take the keyboard and the pointer now; the
// grabs are given back at once.
bool InputFree(Display* connection) {
    const Window root = DefaultRootWindow(connection);
    const bool keyboard = XGrabKeyboard(connection, root, False, GrabModeAsync, GrabModeAsync,
                                        CurrentTime) == GrabSuccess;
    const bool pointer = XGrabPointer(connection, root, False, ButtonPressMask, GrabModeAsync,
                                      GrabModeAsync, None, None, CurrentTime) == GrabSuccess;
    XUngrabKeyboard(connection, CurrentTime);
    XUngrabPointer(connection, CurrentTime);
    XSync(connection, False);
    return keyboard && pointer;
}

// A main loop that hangs while the show holds the keyboard and pointer (blocked on
// purpose 3 s after the grab): the watchdog gives the desktop back, the cursor included,
// and ends the show, emptying its working folder.
TEST(DesktopEndToEndTest, HungShowGivesTheInputBackAndEnds) {
    SaverRun run;
    ASSERT_TRUE(run.StartX());
    Desktop desktop(run.Display(), run.Folder() + "/home");
    ASSERT_TRUE(desktop.Ready());
    ASSERT_TRUE(run.MakeSaver("WebInterval=60", {run.Url("p1.htm")}));
    setenv("SAVERHOST_TEST_BLOCK_MAIN_LOOP_MS", "3000", 1);
    run.Start({"/s"}, true);
    unsetenv("SAVERHOST_TEST_BLOCK_MAIN_LOOP_MS");
    Display* connection = XOpenDisplay(run.Display().c_str());
    ASSERT_NE(connection, nullptr);
    ASSERT_TRUE(Eventually([&] { return !InputFree(connection); })) << "the show grabs";
    const auto grabbed = std::chrono::steady_clock::now();
    // 3 s to the hang and 10 s of it; the rest is room for a busy machine.
    ASSERT_TRUE(run.Ended(40000)) << "the hung show still runs";
    const auto ended = std::chrono::steady_clock::now();
    EXPECT_GE(ended - grabbed, std::chrono::seconds(10)) << "not before the hang has lasted";
    EXPECT_TRUE(InputFree(connection));
    EXPECT_TRUE(CursorVisible(run.Display()));
    XCloseDisplay(connection);
    EXPECT_EQ(run.ExitStatus(), 128 + SIGTERM);
    EXPECT_EQ(run.WorkingFiles(), std::vector<std::string>{});
    EXPECT_NE(run.ErrorOutput().find("saverhost: the show has not responded for 10 s"),
              std::string::npos);
}

// Files below `folder` whose names say they came from the test server's downloads.
std::vector<std::string> SavedDownloads(const std::string& folder) {
    std::vector<std::string> found;
    std::error_code error;
    for (const auto& entry : fs::recursive_directory_iterator(folder, error)) {
        const std::string name = entry.path().filename().string();
        if (name.find("download") != std::string::npos ||
            name.find("dropped") != std::string::npos) {
            found.push_back(entry.path().string());
        }
    }
    return found;
}

TEST(DesktopEndToEndTest, PagesCannotSaveFiles) {
    SaverRun run;
    ASSERT_TRUE(run.StartShow("WebInterval=1", {"download-attachment.bin", "download-octet.bin",
                                                "save-link.htm", "p1.htm"}));
    ASSERT_TRUE(run.WaitFor("/after-download-page"));
    // The next page comes a second after the link was clicked.
    ASSERT_TRUE(run.WaitFor("/p1.htm"));
    ExpectCleanEnd(run);
    EXPECT_EQ(SavedDownloads(run.Folder()), std::vector<std::string>{});
}

// The saver may be started from any folder; a file there with the name of a packaged page
// does not take that page's place.
TEST(DesktopEndToEndTest, PackagedPageShowsWhateverTheCurrentFolderHolds) {
    SaverRun run;
    ASSERT_TRUE(run.StartX());
    fs::copy_file(std::string(SAVER_TEST_DATA) + "/show/site/p2.htm",
                  run.Folder() + "/content/b.htm");
    fs::create_directory(run.Folder() + "/elsewhere");
    std::ofstream(run.Folder() + "/elsewhere/b.htm") << "<body style='background:#FFFFFF'>";
    ASSERT_TRUE(run.MakeSaver("WebInterval=60", {"b.htm"}));
    run.Start({"/s"}, false, run.Folder() + "/elsewhere");
    EXPECT_TRUE(Eventually([&] { return ScreenColour(run.Display(), 400, 300) == "#996633"; }));
    ExpectCleanEnd(run);
}

// A 300 MB video carried in the saver while the runtime folder is a 64 MiB file system in
// memory, as it often is: the video is unpacked to disk and plays. (movie.webm: two
// seconds of #996633, 320 x 240, made with GStreamer's videotestsrc, vp8enc and
// webmmux; zeros after it make it large.)
TEST(DesktopEndToEndTest, LargeItemPlaysFromASmallRuntimeFolder) {
    SaverRun run;
    test::SmallTmpfs runtime(run.Folder() + "/run", 64);
    if (!runtime.Refused().empty()) {
        GTEST_SKIP() << "a tmpfs cannot be mounted here (" << runtime.Refused() << ")";
    }
    ASSERT_TRUE(run.StartX());
    const std::string movie = run.Folder() + "/movie.webm";
    fs::copy_file(std::string(SAVER_TEST_DATA) + "/show/movie.webm", movie);
    fs::resize_file(movie, 300u << 20);
    std::ofstream(run.Folder() + "/content/page.htm")
        << "<body style='margin:0;background:#333333'>"
           "<video autoplay muted src='movie.webm' width=320 height=240></video>";
    ASSERT_TRUE(run.MakeSaver("WebInterval=60", {"page.htm", "(Resource) movie.webm"},
                              {movie + ":notzip"}));
    run.Start();
    EXPECT_TRUE(Eventually([&] {
        const std::string colour = ScreenColour(run.Display(), 100, 100);
        return colour != "#333333" && colour != "#000000" && !colour.empty();
    })) << "no picture of the video";
    EXPECT_TRUE(fs::is_symlink(run.Folder() + "/run/Orvane/movie.webm"));
    const std::string disk = run.Folder() + "/home/.cache/saverhost/Orvane";
    EXPECT_EQ(fs::file_size(disk + "/movie.webm"), 300u << 20);
    ExpectCleanEnd(run);
    EXPECT_TRUE(fs::is_empty(disk)) << "the large files are deleted with the working files";
}

struct DesktopInput {
    const char* name;
    bool focus_elsewhere;  // another program is given the focus while the show runs
    const char* input;     // xdotool arguments that end the show
};

class WindowManagerTest : public ::testing::TestWithParam<DesktopInput> {};

// Two monitors under openbox with a panel along the bottom of each, and a program that
// had the focus before the show.
TEST_P(WindowManagerTest, ShowCoversThePanelsAndTakesTheInput) {
    const DesktopInput& row = GetParam();
    SaverRun run;
    ASSERT_TRUE(run.StartX(2));
    const std::string& display = run.Display();
    Desktop desktop(display, run.Folder() + "/home");
    ASSERT_TRUE(desktop.Ready(10));
    ASSERT_TRUE(desktop.Ready(810)) << "a panel on the second monitor too";
    test::ChildOptions options;
    options.set_env["DISPLAY"] = display;
    // Line-buffered, so that each event it reports can be read at once.
    test::ChildProcess other({"stdbuf", "-oL", "xev", "-event", "keyboard"}, options);
    run.Xdo("search --sync --name 'Event Tester' windowfocus --sync");
    ASSERT_TRUE(run.MakeSaver("WebInterval=60\nMousePress=1", {run.Url("p1.htm")}));
    run.Start();
    ASSERT_TRUE(Eventually([&] { return ScreenColour(display, 400, 300) == "#336699"; }))
        << "the first page is not shown";

    // Where the panels were: the page's status line, and the black cover.
    const int panel_y = 600 - Desktop::kPanelHeight / 2;
    for (int x : {400, 1200}) {
        EXPECT_TRUE(Eventually([&] { return ScreenColour(display, x, panel_y) == "#000000"; }))
            << "the panel at x " << x << " is still visible";
    }
    if (row.focus_elsewhere) {
        run.Xdo("search --name 'Event Tester' windowfocus --sync");
    }
    run.Xdo(row.input);
    ASSERT_TRUE(run.Ended()) << row.input;

    for (int x : {400, 1200}) {
        EXPECT_TRUE(Eventually([&] {
            return ScreenColour(display, x, panel_y) == Desktop::kPanelColour;
        })) << "the panel at x "
            << x << " is not back";
    }
    // xev reports each event in a few lines, with blank lines between events. xdotool's
    // search ends with an X error when a window goes while it looks (the show's windows
    // may still be going), so the key is typed again until xev reports it.
    bool typed = false;
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(test::kColdStartMs);
    while (!typed && std::chrono::steady_clock::now() < deadline) {
        run.Xdo("search --name 'Event Tester' windowfocus --sync key x");
        for (int line = 0; line < 40 && !typed; ++line) {
            const std::string text = other.ReadLine(100);
            typed = text.find("(keysym 0x78, x)") != std::string::npos;
        }
    }
    EXPECT_TRUE(typed) << "the other program gets the keyboard after the show";
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, WindowManagerTest,
    ::testing::Values(DesktopInput{"KeyWhileAnotherWindowHasTheFocus", true, "key Escape"},
                      DesktopInput{"ClickWhereThePanelWas", false, "mousemove 400 590 click 1"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace saver
