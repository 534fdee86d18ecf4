#include "startup/Startup.h"

#include "SaverFileFixture.h"
#include "base/Files.h"
#include "settings/RegistryOverrides.h"
#include "startup/SaverPaths.h"
#include "startup/SaverProcess.h"
#include "support/FakePlatform.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>

namespace saver {
namespace {

// Records which main window dispatch asked for, and what start-up had loaded by then.
class RecordingWindows : public MainWindows {
  public:
    std::string ran;
    TSaverSetting settings;
    StartupState state;
    uint64_t activated = 0;

    void RunSettingsDialog(SaverProcess& process) override { Record("settings", process); }
    void RunShow(SaverProcess& process) override { Record("show", process); }
    void RunPreview(SaverProcess& process) override { Record("preview", process); }
    uint64_t ForegroundWindow() override { return 4242; }
    void ActivateWindow(uint64_t window) override { activated = window; }

    // Runs inside the main window's run, when set.
    std::function<void(SaverProcess&)> during_run;

  private:
    void Record(const char* what, SaverProcess& process) {
        if (during_run) {
            during_run(process);
        }
        ran = what;
        settings = process.settings;
        state = process.state;
    }
};

class StartupTest : public ::testing::Test {
  protected:
    StartupTest() {
        fake.folders.temporary = root / "tmp/";
        fake.folders.system = root / "system/";
        ForceDirectories(fake.folders.temporary);
        fake.registry.WriteValue(
            RegistryHive::CurrentUser,
            "\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", "AppData",
            root / "appdata");
    }

    std::string Saver(const std::string& name, const std::string& settings) {
        fake.folders.executable = test::BuildSaverFile(root, name, settings);
        return fake.folders.executable;
    }
    int Run(const Arguments& arguments) { return RunSaver(arguments, fake.platform, windows); }
    std::string Work() const { return root / "tmp/Orvane/"; }

    test::TempFolder root;
    test::FakePlatform fake;
    RecordingWindows windows;
};

TEST_F(StartupTest, DispatchesOnTheRunMode) {
    Saver("Ocean.scr", "[Set]\nWebInterval=33\n");
    struct Case {
        Arguments arguments;
        const char* window;
    };
    const Case cases[] = {
        {{}, "settings"},     {{"/c:12"}, "settings"}, {{"/s"}, "show"},  {{"/p", "99"}, "preview"},
        {{"/p"}, "settings"}, {{"/a", "0"}, ""},       {{"/a", "7"}, ""},
    };
    for (const Case& c : cases) {
        windows.ran.clear();
        EXPECT_EQ(Run(c.arguments), 0);
        EXPECT_EQ(windows.ran, c.window) << (c.arguments.empty() ? "(none)" : c.arguments[0]);
        if (!windows.ran.empty()) {
            EXPECT_EQ(windows.settings.WebInterval, 33) << "settings are loaded before dispatch";
            EXPECT_TRUE(windows.state.package_present);
        }
    }
    EXPECT_EQ(fake.loader.asked, (std::vector<std::string>{root / "system/libmpr.so"}))
        << "only \"/a\" with a handle other than 0 asks for the password library";
}

TEST_F(StartupTest, ShowModeGivesTheFocusBack) {
    Saver("Ocean.scr", "[Set]\n");
    Run({"/s"});
    EXPECT_EQ(windows.state.previous_foreground_window, 4242u);
    EXPECT_EQ(windows.activated, 4242u);
}

TEST_F(StartupTest, ExecutableFormRunsTheShowWhateverTheSwitch) {
    Saver("Ocean.exe", "[Set]\n");
    Run({"/c"});
    EXPECT_EQ(windows.ran, "show");
    EXPECT_TRUE(windows.state.executable_form);
    EXPECT_EQ(windows.activated, 0u) << "the executable form does not restore the focus";
}

// The working folder belongs to the instance that runs: neither a second instance nor
// the install command may empty it under the running show.
TEST_F(StartupTest, ProcessesWithoutTheLockLeaveTheWorkingFolderAlone) {
    Saver("Ocean.scr", "[Set]\n");
    fake.lock.held_elsewhere = true;
    ForceDirectories(Work());
    WriteFile(Work() + "page.htm", "of the running show");
    EXPECT_EQ(Run({"/s"}), 0);
    EXPECT_EQ(windows.ran, "");
    EXPECT_EQ(fake.lock.asked, (std::vector<std::string>{kInstanceLockName}));
    EXPECT_TRUE(FileExists(Work() + "page.htm")) << "a second instance";

    fake.lock.held_elsewhere = false;
    fake.lock.asked.clear();
    EXPECT_EQ(Run({"path", root / "nowhere/", "x.scr"}), 0);
    EXPECT_TRUE(fake.lock.asked.empty()) << "the install command never meets the lock";
    EXPECT_TRUE(FileExists(root / "appdata/Orvane/log.ini"));
    EXPECT_TRUE(FileExists(Work() + "page.htm")) << "the install command";
}

// What a run killed by SIGKILL left in the working folder is gone before the next run
// resolves anything: a package item is copied afresh, not taken as it lies there.
TEST_F(StartupTest, LeftoversOfAKilledRunAreNeverUsed) {
    const std::string item = root.Write("author/movie.bin", "what the saver carries");
    fake.folders.executable = test::BuildSaverFile(root, "Ocean.scr", "[Set]\n", {{item, true}});
    ForceDirectories(Work() + "tmp");
    WriteFile(Work() + "movie.bin", "planted");
    WriteFile(Work() + "tmp/tmp.htm", "planted");
    std::string resolved = "movie.bin";
    windows.during_run = [&](SaverProcess& process) {
        EXPECT_FALSE(FileExists(Work() + "tmp/tmp.htm"));
        ASSERT_TRUE(process.content.ResolveContentItem(resolved));
        EXPECT_EQ(test::ReadFile(resolved), "what the saver carries");
    };
    Run({"/s"});
    EXPECT_EQ(resolved, Work() + "movie.bin");
}

TEST_F(StartupTest, WorkingFolderIsEmptyAfterEveryRun) {
    Saver("Ocean.scr", "[Set]\n");
    Run({"/s"});
    EXPECT_TRUE(DirectoryExists(Work() + "tmp"));
    for (const auto& entry : std::filesystem::recursive_directory_iterator(Work())) {
        EXPECT_TRUE(entry.is_directory()) << entry.path();
    }
}

TEST_F(StartupTest, RegistryOverridesApplyBeforeTheWebListIsShuffled) {
    std::string settings = "[Set]\nWebInterval=10\n[Web]\n";
    for (int i = 0; i < 40; ++i) {
        settings += "http://site" + std::to_string(i) + ".test/=1\n";
    }
    Saver("Ocean.scr", settings);
    const std::string key = UserSettingsKey("Ocean.scr");
    fake.registry.WriteValue(RegistryHive::CurrentUser, key, "WebInterval", uint32_t{30});
    fake.registry.WriteValue(RegistryHive::CurrentUser, key, "WebSequence", uint32_t{2});
    Run({"/s"});
    EXPECT_EQ(windows.settings.WebInterval, 30);
    ContentList web = windows.settings.Web;
    ASSERT_EQ(web.size(), 40u);
    EXPECT_FALSE(std::is_sorted(web.begin(), web.end(), [](const auto& a, const auto& b) {
        return std::stoi(a.substr(11)) < std::stoi(b.substr(11));
    })) << "the list is put into random order (odds of staying in order: 1 in 40!)";

    std::filesystem::copy_file(fake.folders.executable, root / "Copy.scr");
    fake.folders.executable = root / "Copy.scr";
    Run({"/s"});
    EXPECT_EQ(windows.settings.WebInterval, 10) << "a copy under another name has its own key";
}

// Pages and feed items never change faster than once a second, whether the too short
// interval comes from the file or from the user's registry values.
TEST_F(StartupTest, TimingsAreKeptWithinSafeLimits) {
    Saver("Ocean.scr",
          "[Set]\nWebInterval=0\nBlogInterval=-3\nBlogListBlendValue=900\nBlogBlendValue=-1\n");
    Run({"/s"});
    EXPECT_EQ(windows.settings.WebInterval, 1);
    EXPECT_EQ(windows.settings.BlogInterval, 1);
    EXPECT_EQ(windows.settings.BlogListBlendValue, 255);
    EXPECT_EQ(windows.settings.BlogBlendValue, 0);

    Saver("Ocean.scr", "[Set]\nWebInterval=20\nBlogInterval=7\n");
    fake.registry.WriteValue(RegistryHive::CurrentUser, UserSettingsKey("Ocean.scr"), "WebInterval",
                             uint32_t{0});
    Run({"/s"});
    EXPECT_EQ(windows.settings.WebInterval, 1) << "a registry value of 0 is raised as well";
    EXPECT_EQ(windows.settings.BlogInterval, 7);
}

TEST_F(StartupTest, WithoutPackageTheRegistryIsIgnoredAndTheSettingsFileIsBesideTheProgram) {
    fake.folders.executable = test::WriteHost(root);
    WriteFile(root / "host.002", "[Set]\nWebInterval=44\n");
    fake.registry.WriteValue(RegistryHive::CurrentUser, UserSettingsKey("host.bin"), "WebInterval",
                             uint32_t{30});
    Run({"/s"});
    EXPECT_FALSE(windows.state.package_present);
    EXPECT_EQ(windows.settings.WebInterval, 44);
}

TEST(SaverPathsTest, SaverNameDropsFolderAndExtension) {
    EXPECT_EQ(SaverNameOf("/opt/x/Ocean.scr"), "Ocean");
    EXPECT_EQ(SaverNameOf("Ocean"), "Ocean");
    EXPECT_EQ(SaverNameOf("/a.b/Ocean.scr.scr"), "Ocean");
    EXPECT_EQ(SaverNameOf("C:\\Savers\\Sea.v2.scr"), "Sea.v2");
}

TEST(SaverPathsTest, SampleFolderSources) {
    test::TempFolder root;
    test::FakeRegistry registry;
    test::FakeShell shell;
    SaverFolders folders;
    folders.executable_path = root / "bin/OCEAN~1.SCR";
    folders.executable_folder = root / "bin/";
    folders.app_data_folder = root / "appdata/";
    shell.display_names[folders.executable_path] = "Ocean Waves.scr";

    ResolvePaths(folders, false, registry, shell);
    EXPECT_EQ(folders.saver_name, "Ocean Waves") << "a short alias takes the display name";
    EXPECT_EQ(folders.sample_folder, root / "bin/") << "nothing else: the executable folder";
    EXPECT_EQ(folders.settings_file, root / "appdata/Ocean Waves.002");

    registry.WriteValue(RegistryHive::LocalMachine,
                        "\\Software\\Microsoft\\Windows\\CurrentVersion", "ProgramFilesDir",
                        root / "programs");
    ForceDirectories(root / "programs/Orvane/Screensaver/");
    ResolvePaths(folders, false, registry, shell);
    EXPECT_EQ(folders.sample_folder, root / "programs/Orvane/Screensaver/");

    registry.WriteValue(RegistryHive::CurrentUser, "\\Software\\Quillmont\\TamselPro", "",
                        root / "tamsel");
    ResolvePaths(folders, false, registry, shell);
    EXPECT_EQ(folders.sample_folder, root / "tamsel/");

    ForceDirectories(root / "installed/");
    ForceDirectories(root / "appdata/");
    WriteFile(root / "appdata/log.ini", "[install]\nOcean Waves=" + root / "installed/" + "\n");
    ResolvePaths(folders, false, registry, shell);
    EXPECT_EQ(folders.sample_folder, root / "installed/");
}

}  // namespace
}  // namespace saver
