// install-screensaver run as a program, with a home folder of the test's own.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <map>

#include "AutostartEntry.h"
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

    ChildResult Install(const std::vector<std::string>& arguments,
                        const std::map<std::string, std::string>& environment = {}) {
        ChildOptions options;
        options.set_env = environment;
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

// ~/.xscreensaver kept among the user's dotfiles as a link stays a link; the file as it
// was before install-screensaver changed it stays as ~/.xscreensaver.bak.
TEST_F(InstallScreensaverTest, ALinkStaysALinkAndThePreviousFileIsKept) {
    const std::string own = ReadFile(std::string(SAVER_TEST_DATA) + "/install/user.xscreensaver");
    const std::string target = folder.Write("dotfiles/xscreensaver", own);
    std::filesystem::create_symlink(target, folder / "home/.xscreensaver");
    ASSERT_EQ(Install({"--xscreensaver", saver}).status, 0);
    EXPECT_TRUE(std::filesystem::is_symlink(folder / "home/.xscreensaver"));
    const std::string changed = ReadFile(target);
    EXPECT_NE(changed.find(saver), std::string::npos);
    EXPECT_EQ(ReadFile(folder / "home/.xscreensaver.bak"), own);
    ASSERT_EQ(Install({"--xscreensaver", saver}).status, 0);
    EXPECT_EQ(ReadFile(target), changed);
    EXPECT_EQ(ReadFile(folder / "home/.xscreensaver.bak"), own)
        << "a run that changes nothing keeps the backup";

    std::filesystem::remove(target);
    const ChildResult dangling = Install({"--xscreensaver", saver});
    EXPECT_EQ(dangling.status, 1);
    EXPECT_NE(dangling.err.find("left as it is"), std::string::npos) << dangling.err;
    EXPECT_TRUE(std::filesystem::is_symlink(folder / "home/.xscreensaver"));
    EXPECT_FALSE(std::filesystem::exists(target)) << "nothing is made where a link leads nowhere";
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
    const std::string name = AutostartFileName(saver);
    EXPECT_TRUE(name.starts_with("saverhost-Night_Sky.scr-")) << name;
    const std::string entry = ReadFile(folder / "config/autostart/" + name);
    EXPECT_NE(entry.find("[Desktop Entry]\nType=Application\n"), std::string::npos);
    EXPECT_NE(entry.find("\nExec=" + std::string(SAVER_BIN_DIR) + "/idle-watcher --minutes 3 \"" +
                         saver + "\"\n"),
              std::string::npos)
        << entry;
    EXPECT_FALSE(std::filesystem::exists(folder / "home/.xscreensaver"));
    EXPECT_NE(Install({"--idle-watcher", saver}).out.find("at the next log-in"), std::string::npos);
}

// The user's own entries and the system's are never replaced or hidden; the entry of an
// older install-screensaver (named after the saver, unmarked) gives way to the new one.
TEST_F(InstallScreensaverTest, AutostartEntriesOfOthersAreNeverTouched) {
    const std::string ours = AutostartFileName(saver);
    const std::string old_entry =
        "[Desktop Entry]\nType=Application\nExec=/usr/lib/saverhost/"
        "idle-watcher --minutes 10 \"" +
        saver + "\"\n";
    const std::string users = "[Desktop Entry]\nType=Application\nExec=night-sky-clock\n";
    struct Case {
        const char* why;
        std::map<std::string, std::string> before;  // in the user's autostart folder
        std::map<std::string, std::string> system;  // in the system's autostart folder
        int status;
        std::vector<std::string> after;  // the user's autostart folder afterwards
    };
    const Case cases[] = {
        {"a user's entry of the saver's name stays",
         {{"Night Sky.desktop", users}},
         {},
         0,
         {"Night Sky.desktop", ours}},
        {"an entry an older version wrote is replaced",
         {{"Night Sky.desktop", old_entry}},
         {},
         0,
         {ours}},
        {"a file of ours updated",
         {{ours, "[Desktop Entry]\nX-Saverhost-Saver=" + saver + "\n"}},
         {},
         0,
         {ours}},
        {"a file of our name that we did not write stays", {{ours, users}}, {}, 1, {ours}},
        {"a file of our name for another saver stays",
         {{ours, "[Desktop Entry]\nX-Saverhost-Saver=/elsewhere.scr\n"}},
         {},
         1,
         {ours}},
        {"the system's entry of the saver's name is not hidden",
         {},
         {{"Night Sky.desktop", users}},
         0,
         {ours}},
        {"the system's entry of our name is not hidden", {}, {{ours, users}}, 1, {}},
    };
    for (const Case& c : cases) {
        std::filesystem::remove_all(folder / "config");
        std::filesystem::remove_all(folder / "xdg");
        std::filesystem::create_directories(folder / "config/autostart");
        std::filesystem::create_directories(folder / "xdg/autostart");
        for (const auto& [name, text] : c.before) {
            folder.Write("config/autostart/" + name, text);
        }
        for (const auto& [name, text] : c.system) {
            folder.Write("xdg/autostart/" + name, text);
        }
        EXPECT_EQ(Install({"--idle-watcher", saver}, {{"XDG_CONFIG_DIRS", folder / "xdg"}}).status,
                  c.status)
            << c.why;
        std::vector<std::string> after;
        for (const auto& entry : std::filesystem::directory_iterator(folder / "config/autostart")) {
            after.push_back(entry.path().filename());
        }
        std::sort(after.begin(), after.end());
        EXPECT_EQ(after, c.after) << c.why;
        for (const auto& [name, text] : c.before) {
            if (text == users) {
                EXPECT_EQ(ReadFile(folder / "config/autostart/" + name), users) << c.why;
            }
        }
        for (const auto& [name, text] : c.system) {
            EXPECT_EQ(ReadFile(folder / "xdg/autostart/" + name), text) << c.why;
        }
    }
}

TEST_F(InstallScreensaverTest, UninstallRemovesOnlyOurEntries) {
    ASSERT_EQ(Install({"--idle-watcher", saver}).status, 0);
    folder.Write("config/autostart/Night Sky.desktop",
                 "[Desktop Entry]\nExec=/opt/x/idle-watcher --minutes 5 \"" + saver + "\"\n");
    folder.Write("config/autostart/other.desktop", "[Desktop Entry]\nExec=idle-watcher x\n");
    const ChildResult result = Install({"--uninstall", saver});
    EXPECT_EQ(result.status, 0) << result.err;
    std::vector<std::string> left;
    for (const auto& entry : std::filesystem::directory_iterator(folder / "config/autostart")) {
        left.push_back(entry.path().filename());
    }
    EXPECT_EQ(left, std::vector<std::string>{"other.desktop"});
    EXPECT_NE(Install({"--uninstall", saver}).out.find("no autostart entry"), std::string::npos);
}

// A saver that another user could change or replace would run their code in this
// user's session whenever the desktop is idle.
TEST_F(InstallScreensaverTest, RefusesASaverOthersCouldChange) {
    const std::string folder_path = folder / "savers";
    struct Case {
        const char* why;
        mode_t file_mode;
        mode_t folder_mode;
    };
    const Case cases[] = {
        {"a file everyone may write", 0757, 0755},
        {"a file its group may write", 0775, 0755},
        {"in a folder everyone may write", 0755, 0777},
        {"in a sticky folder everyone may write, like /tmp", 0755, 01777},
    };
    for (const Case& c : cases) {
        ::chmod(saver.c_str(), c.file_mode);
        ::chmod(folder_path.c_str(), c.folder_mode);
        for (const char* way : {"--xscreensaver", "--idle-watcher"}) {
            const ChildResult result = Install({way, saver});
            EXPECT_EQ(result.status, 1) << c.why << " " << way;
            EXPECT_NE(result.err.find("could be changed by other users"), std::string::npos)
                << result.err;
        }
    }
    ::chmod(folder_path.c_str(), 0755);
    const std::string link = folder / "home/link.scr";
    ::chmod(saver.c_str(), 0755);
    ::chmod(folder_path.c_str(), 01777);
    std::filesystem::create_symlink(saver, link);
    EXPECT_EQ(Install({"--idle-watcher", link}).status, 1) << "a link into such a folder";
    ::chmod(folder_path.c_str(), 0755);
    EXPECT_EQ(Install({"--idle-watcher", link}).status, 0);
    EXPECT_FALSE(std::filesystem::exists(folder / "home/.xscreensaver"));
}

}  // namespace
}  // namespace saver
