// The idle watcher on real Wayland compositors, run headless as a user of the test's own:
// sway 1.7 (org_kde_kwin_idle), KWin (ext-idle-notify-v1) and mutter (GNOME's idle
// monitor). The saver is a recording stand-in that notes each start and runs until it
// is ended; hold-inhibit keeps the screen saver off from inside the session.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>

#include "SaverRun.h"
#include "support/Deadline.h"
#include "support/Eventually.h"
#include "support/TempFolder.h"
#include "support/WaylandSession.h"

namespace saver {
namespace {

using test::ChildProcess;
using test::Compositor;
using test::kColdStartMs;
using test::WaylandSession;

constexpr const char* kStandInSaver = R"(#!/bin/sh
echo "$*" >>"$HOME/saver-runs"
exec sleep 3600
)";

class WaylandIdleWatcherTest : public ::testing::Test {
  protected:
    // Starts the compositor and puts the programs where its user reaches them; false when
    // the compositor cannot run here (the test then skips with the session's reason).
    bool StartSession(Compositor compositor) {
        session = std::make_unique<WaylandSession>(compositor);
        if (!session->Unavailable().empty()) {
            return false;
        }
        for (const char* program : {"idle-watcher", "hold-inhibit"}) {
            Install(std::string(SAVER_BIN_DIR) + "/" + program, Path(program));
        }
        test::WriteFile(Path("saver"), kStandInSaver);
        Install(Path("saver"), Path("saver"));
        return true;
    }
    std::string Path(const std::string& name) const { return session->Home() + "/" + name; }
    void Install(const std::string& from, const std::string& to) const {
        if (from != to) {
            std::filesystem::copy_file(from, to);
        }
        chmod(to.c_str(), 0755);
        session->User().Own(to);
    }
    // Starts the watcher with `seconds` of idle time and gives its first line, which says
    // what it watches.
    std::string StartWatcher(int seconds, const std::vector<std::string>& environment = {}) {
        watcher = session->Start(
            {Path("idle-watcher"), "--seconds", std::to_string(seconds), Path("saver")},
            environment);
        return watcher->ReadLine(kColdStartMs);
    }
    // The process id of the next saver run the watcher reports within `timeout_ms` of
    // each line; 0 for none.
    pid_t NextStart(int timeout_ms) {
        for (;;) {
            const std::string line = watcher->ReadLine(timeout_ms);
            if (line.empty() || line.starts_with("started ")) {
                return line.empty() ? 0 : std::atoi(line.c_str() + 8);
            }
        }
    }
    // Starts hold-inhibit with `mode` and waits for its line; on sway keys go in meanwhile,
    // so that the desktop is not idle before the inhibit holds.
    std::unique_ptr<ChildProcess> HoldInhibit(const std::string& mode, bool keys) {
        auto holder = session->Start({Path("hold-inhibit"), mode});
        for (int i = 0; i < kColdStartMs / 500; ++i) {
            if (keys) {
                session->Key("Shift_L");
            }
            if (!holder->ReadLine(500).empty()) {
                return holder;
            }
        }
        return nullptr;
    }
    // True once the stand-in saver has noted `runs` (its lines come just after its start).
    bool SaverRan(const std::string& runs) const {
        return test::Eventually([&] { return test::ReadFile(Path("saver-runs")) == runs; });
    }

    std::unique_ptr<WaylandSession> session;
    std::unique_ptr<ChildProcess> watcher;
};

TEST_F(WaylandIdleWatcherTest, SwayIdleStartsTheSaverAndKeysKeepItAway) {
    if (!StartSession(Compositor::kSway)) {
        GTEST_SKIP() << session->Unavailable();
    }
    EXPECT_NE(StartWatcher(5).find("(org_kde_kwin_idle)"), std::string::npos);
    for (int i = 0; i < 8; ++i) {
        ASSERT_TRUE(session->Key("Shift_L"));
        ASSERT_EQ(NextStart(1000), 0) << "started after " << i << " s of keys";
    }
    EXPECT_GT(NextStart(kColdStartMs), 0);
    EXPECT_TRUE(SaverRan("/s\n"));
}

// At the session's end the watcher ends too, with status 1 and the reason.
TEST_F(WaylandIdleWatcherTest, SwayWatcherEndsWithTheCompositor) {
    if (!StartSession(Compositor::kSway)) {
        GTEST_SKIP() << session->Unavailable();
    }
    StartWatcher(60);
    const std::vector<pid_t> sway = session->User().Processes("sway");
    ASSERT_EQ(sway.size(), 1u);
    kill(sway.front(), SIGTERM);
    EXPECT_EQ(watcher->WaitExit(kColdStartMs), std::optional<int>(1));
}

TEST_F(WaylandIdleWatcherTest, SwayScreenSaverInhibitHoldsTheSaverUntilItsProgramEnds) {
    if (!StartSession(Compositor::kSway)) {
        GTEST_SKIP() << session->Unavailable();
    }
    StartWatcher(5);
    auto holder = HoldInhibit("screensaver", true);
    ASSERT_NE(holder, nullptr);
    EXPECT_EQ(NextStart(10000), 0);
    holder.reset();  // the program leaves the bus, and its inhibit with it
    EXPECT_GT(NextStart(kColdStartMs), 0);
}

// sway's own idle inhibition (as for a window that plays a video) holds the idle timer.
TEST_F(WaylandIdleWatcherTest, SwayWindowThatInhibitsIdleHoldsTheSaver) {
    if (!StartSession(Compositor::kSway)) {
        GTEST_SKIP() << session->Unavailable();
    }
    auto window = session->OpenWindow("a-video-plays");
    ASSERT_EQ(session->Run({"swaymsg", "[title=\"a-video-plays\"]", "inhibit_idle", "open"}).status,
              0);
    StartWatcher(5);
    EXPECT_EQ(NextStart(10000), 0);
    window.reset();
    EXPECT_GT(NextStart(kColdStartMs), 0);
}

// xscreensaver is installed here, but on a Wayland session the installer's command sets
// the saver up with the idle watcher, which starts at once.
TEST_F(WaylandIdleWatcherTest, SwayTheInstallersCommandSetsUpTheIdleWatcher) {
    if (!StartSession(Compositor::kSway)) {
        GTEST_SKIP() << session->Unavailable();
    }
    test::SaverRun run;
    ASSERT_TRUE(run.MakeSaver("WebInterval=60", {run.Url("p1.htm")}));
    chmod(run.Folder().c_str(), 0755);
    const std::string system = run.Folder() + "/system/";
    std::filesystem::create_directories(system);
    for (const char* program : {"install-screensaver", "idle-watcher"}) {
        std::filesystem::copy_file(std::string(SAVER_BIN_DIR) + "/" + program, system + program);
    }
    const test::ChildResult result = test::RunChild(session->Command(
        {run.SaverFile(), "path", run.Folder() + "/", "test.scr", "true"},
        {"SAVERHOST_SYSTEM_DIR=" + system, "WEBKIT_DISABLE_SANDBOX_THIS_IS_DANGEROUS=1"}));
    ASSERT_EQ(result.status, 0) << result.out;
    const std::string watcher = system + "idle-watcher";
    EXPECT_TRUE(test::Eventually([&] { return session->User().Processes(watcher).size() == 1; }));
    std::string entry;
    for (const auto& file :
         std::filesystem::directory_iterator(session->Home() + "/.config/autostart")) {
        entry += test::ReadFile(file.path());
    }
    EXPECT_NE(entry.find("Exec=" + watcher + " --minutes 10 " + run.SaverFile()), std::string::npos)
        << entry;
    EXPECT_FALSE(std::filesystem::exists(Path(".xscreensaver")));
}

// With an X display beside it, the Wayland compositor is what the watcher watches.
TEST_F(WaylandIdleWatcherTest, KWinIdleStartsTheSaverAndAKilledSaverComesBack) {
    if (!StartSession(Compositor::kKWin)) {
        GTEST_SKIP() << session->Unavailable();
    }
    EXPECT_NE(StartWatcher(5, {"DISPLAY=:4242"}).find("(ext-idle-notify-v1)"), std::string::npos);
    EXPECT_EQ(NextStart(4000), 0);
    const pid_t first = NextStart(kColdStartMs);
    ASSERT_GT(first, 0);
    ASSERT_TRUE(SaverRan("/s\n"));
    kill(first, SIGKILL);
    EXPECT_EQ(NextStart(4000), 0);  // a whole idle period after its end
    EXPECT_GT(NextStart(kColdStartMs), 0);
    EXPECT_TRUE(SaverRan("/s\n/s\n"));
}

// mutter's idle time counts from its start: reset, it shows the timeout is waited for.
TEST_F(WaylandIdleWatcherTest, MutterIdleStartsTheSaverAfterTheTimeout) {
    if (!StartSession(Compositor::kMutter)) {
        GTEST_SKIP() << session->Unavailable();
    }
    ASSERT_TRUE(session->WaitForBusName("org.gnome.Mutter.IdleMonitor"));
    ASSERT_EQ(session
                  ->Run({"gdbus", "call", "--session", "--dest", "org.gnome.Mutter.IdleMonitor",
                         "--object-path", "/org/gnome/Mutter/IdleMonitor/Core", "--method",
                         "org.gnome.Mutter.IdleMonitor.ResetIdletime"})
                  .status,
              0);
    EXPECT_NE(StartWatcher(5).find("(org.gnome.Mutter.IdleMonitor)"), std::string::npos);
    EXPECT_EQ(NextStart(2000), 0);
    EXPECT_GT(NextStart(kColdStartMs), 0);
    EXPECT_TRUE(SaverRan("/s\n"));
}

TEST_F(WaylandIdleWatcherTest, MutterGnomeSessionIdleInhibitHoldsTheSaver) {
    if (!StartSession(Compositor::kMutter)) {
        GTEST_SKIP() << session->Unavailable();
    }
    auto holder = HoldInhibit("gnome-session", false);
    ASSERT_NE(holder, nullptr);
    StartWatcher(5);
    EXPECT_EQ(NextStart(10000), 0);
    holder.reset();
    EXPECT_GT(NextStart(kColdStartMs), 0);
}

}  // namespace
}  // namespace saver
