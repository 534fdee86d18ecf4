// install-screensaver run as a program, with a home folder of the test's own.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "XScreensaverFile.h"
#include "support/ChildProcess.h"
#include "support/TempFolder.h"

namespace saver {
namespace {

using test::ChildOptions;
using test::ChildResult;
using test::ReadFile;
using test::RunChild;
using test::TempFolder;

const std::string kProgram = std::string(SAVER_BIN_DIR) + "/install-screensaver";

class InstallScreensaverTest : public ::testing::Test {
  protected:
    InstallScreensaverTest() {
        saver = folder.Write("savers/Night Sky.scr", "#!/bin/sh\n");
        chmod(saver.c_str(), 0755);
        std::filesystem::create_directories(folder / "home");
    }

    ChildResult Install(const std::vector<std::string>& arguments) {
        ChildOptions options;
        options.set_env["HOME"] = folder / "home";
        options.set_env["XDG_CONFIG_HOME"] = folder / "config";
        options.unset_env = {"DISPLAY", "WAYLAND_DISPLAY"};  // no idle watcher is started now
        options.capture_stderr = true;
        std::vector<std::string> argv = {kProgram};
        argv.insert(argv.end(), arguments.begin(), arguments.end());
        return RunChild(argv, options);
    }
    std::string Settings() const { return ReadFile(folder / "home/.xscreensaver"); }

    TempFolder folder;
    std::string saver;
};

TEST_F(InstallScreensaverTest, ANewSettingsFileListsAndSelectsTheSaverOnce) {
    ASSERT_EQ(Install({"--xscreensaver", saver}).status, 0);
    const std::string first = Settings();
    const XScreensaverFile file = XScreensaverFile::Parse(first);
    const std::vector<std::string> programs = file.Programs();
    ASSERT_FALSE(programs.empty());
    EXPECT_EQ(programs.back(), "\"Night Sky\"  '" + saver + "' --root");
    EXPECT_NE(first.find("\nmode:\t\tone\n"), std::string::npos);
    EXPECT_NE(first.find("\nselected:\t\t" + std::to_string(programs.size() - 1) + "\n"),
              std::string::npos);
    ASSERT_EQ(Install({"--xscreensaver", saver}).status, 0);
    EXPECT_EQ(Settings(), first);
}

TEST_F(InstallScreensaverTest, TheUsersOwnSettingsAndProgramsStay) {
    const std::string own = ReadFile(std::string(SAVER_TEST_DATA) + "/install/user.xscreensaver");
    folder.Write("home/.xscreensaver", own);
    chmod((folder / "home/.xscreensaver").c_str(), 0600);
    ASSERT_EQ(Install({"--xscreensaver", saver}).status, 0);
    const XScreensaverFile file = XScreensaverFile::Parse(Settings());
    std::vector<std::string> expected = XScreensaverFile::Parse(own).Programs();
    expected.push_back("\"Night Sky\"  '" + saver + "' --root");
    EXPECT_EQ(file.Programs(), expected);
    for (const char* line : {"lock:\t\tTrue\n", "textURL:\thttps://example.org/feed.xml\n",
                             "dialogTheme:\tdarkgray\n", "selected:\t\t5\n"}) {
        EXPECT_NE(Settings().find(line), std::string::npos) << line;
    }
    struct stat info {};
    stat((folder / "home/.xscreensaver").c_str(), &info);
    EXPECT_EQ(info.st_mode & 0777, 0600u);  // the file's own permissions are kept
}

TEST_F(InstallScreensaverTest, ClearErrorsAndNothingTouched) {
    const std::string damaged = "timeout: 0:05:00\nnot a setting at all\n";
    folder.Write("home/.xscreensaver", damaged);
    ChildResult result = Install({"--xscreensaver", saver});
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.err.find("line 2"), std::string::npos) << result.err;
    EXPECT_NE(result.err.find("left as it is"), std::string::npos) << result.err;
    EXPECT_EQ(Settings(), damaged);

    std::filesystem::remove(folder / "home/.xscreensaver");
    std::filesystem::create_directories(folder / "home/.xscreensaver");  // a folder in its place
    EXPECT_EQ(Install({"--xscreensaver", saver}).status, 1);

    ChildOptions no_home;
    no_home.set_env["HOME"] = folder / "missing/home";
    no_home.capture_stderr = true;
    result = RunChild({kProgram, "--xscreensaver", saver}, no_home);
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.err.find("cannot write"), std::string::npos) << result.err;

    EXPECT_EQ(Install({"--xscreensaver", folder / "savers/none.scr"}).status, 1);
    EXPECT_EQ(Install({"--xscreensaver", "relative.scr"}).status, 1);
    EXPECT_EQ(Install({}).status, 2);
    EXPECT_EQ(Install({"--minutes", "0", saver}).status, 2);
}

TEST_F(InstallScreensaverTest, WithoutXscreensaverAnAutostartEntryStartsTheIdleWatcher) {
    ASSERT_EQ(Install({"--idle-watcher", "--minutes", "3", saver}).status, 0);
    const std::string entry = ReadFile(folder / "config/autostart/Night Sky.desktop");
    EXPECT_NE(entry.find("[Desktop Entry]\nType=Application\n"), std::string::npos);
    EXPECT_NE(entry.find("\nExec=" + std::string(SAVER_BIN_DIR) + "/idle-watcher --minutes 3 \"" +
                         saver + "\"\n"),
              std::string::npos)
        << entry;
    EXPECT_FALSE(std::filesystem::exists(folder / "home/.xscreensaver"));
    EXPECT_NE(Install({"--idle-watcher", saver}).out.find("at the next log-in"), std::string::npos);
}

}  // namespace
}  // namespace saver
