// A real saver as a display mode of xscreensaver: installed with the install command,
// run by Debian's xscreensaver daemon under Xvfb, ended by it. xscreensaver runs no
// display mode for root, so the daemon and the saver run as a user the test makes.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>

#include "SaverRun.h"
#include "support/TempFolder.h"
#include "support/TestUser.h"

namespace saver {
namespace {

namespace fs = std::filesystem;
using test::ChildOptions;
using test::ChildProcess;
using test::Eventually;
using test::ReadFile;
using test::RunChild;
using test::SaverRun;
using test::TestUser;

class XscreensaverTest : public ::testing::Test {
  protected:
    void SetUp() override {
        if (getuid() != 0 || access("/usr/bin/xscreensaver", X_OK) != 0) {
            GTEST_SKIP() << "needs root (to make a user) and Debian's xscreensaver";
        }
        ASSERT_TRUE(user.Made());
        ASSERT_TRUE(run.StartX());
        ASSERT_TRUE(run.MakeSaver("WebInterval=60", {run.Url("p2.htm")}));
        // The user reaches the saver and the system folder, and owns a home and a
        // private runtime folder.
        chmod(run.Folder().c_str(), 0755);
        fs::create_directories(run.Folder() + "/system");
        fs::copy_file(std::string(SAVER_BIN_DIR) + "/install-screensaver",
                      run.Folder() + "/system/install-screensaver");
        for (const char* folder : {"/home", "/run"}) {
            user.Own(run.Folder() + folder);
        }
        environment = {"HOME=" + run.Folder() + "/home",
                       "XDG_RUNTIME_DIR=" + run.Folder() + "/run",
                       "DISPLAY=" + run.Display(),
                       "PATH=/usr/local/bin:/usr/bin:/bin",
                       "SAVERHOST_SYSTEM_DIR=" + run.Folder() + "/system/",
                       "WEBKIT_DISABLE_SANDBOX_THIS_IS_DANGEROUS=1"};
    }
    int AsUser(const std::vector<std::string>& argv) {
        return RunChild(user.As(environment, argv), {}, 60000).status;
    }
    std::string Settings() const { return ReadFile(run.Folder() + "/home/.xscreensaver"); }
    ino_t SettingsInode() const {
        struct stat info {};
        stat((run.Folder() + "/home/.xscreensaver").c_str(), &info);
        return info.st_ino;
    }
    // Installs the saver as its installer does and waits for the settings to name it.
    bool Install() {
        const std::string before = Settings();
        if (AsUser({run.SaverFile(), "path", run.Folder() + "/", "test.scr", "true"}) != 0) {
            return false;
        }
        return Eventually([&] {
            const std::string now = Settings();
            return now != before && now.find("selected:") != std::string::npos;
        });
    }

    TestUser user;
    SaverRun run;
    std::vector<std::string> environment;
};

TEST_F(XscreensaverTest, TheInstalledSaverRunsInsideXscreensaverAndEndsWithIt) {
    ASSERT_TRUE(Install());
    const std::string first = Settings();
    const std::string line = "'" + run.SaverFile() + "' --root";
    ASSERT_NE(first.find(line), std::string::npos) << first;
    EXPECT_NE(first.find("\nmode:\t\tone\n"), std::string::npos);
    // A second install writes the file anew (a new inode), with nothing added.
    const ino_t inode = SettingsInode();
    ASSERT_EQ(AsUser({run.SaverFile(), "path", run.Folder() + "/", "test.scr", "true"}), 0);
    EXPECT_TRUE(Eventually([&] { return SettingsInode() != inode; }));
    EXPECT_EQ(Settings(), first);
    EXPECT_EQ(first.find(line), first.rfind(line));

    ChildProcess daemon(user.As(environment, {"xscreensaver", "--no-splash"}));
    ASSERT_TRUE(Eventually([&] { return AsUser({"xscreensaver-command", "--version"}) == 0; }));
    ASSERT_EQ(AsUser({"xscreensaver-command", "--activate"}), 0);
    const std::string shot = run.Folder() + "/shot.png";
    EXPECT_TRUE(Eventually([&] {
        return run.Screenshot(shot) && SaverRun::PixelColour(shot, 400, 300) == "#996633";
    }));
    EXPECT_EQ(user.Processes(run.SaverFile()).size(), 1u);
    EXPECT_FALSE(run.WorkingFiles().empty());

    ASSERT_EQ(AsUser({"xscreensaver-command", "--deactivate"}), 0);
    EXPECT_TRUE(Eventually([&] { return user.Processes(run.SaverFile()).empty(); }));
    EXPECT_EQ(run.WorkingFiles(), std::vector<std::string>{});
}

}  // namespace
}  // namespace saver
