// The settings dialog of real saver files under Xvfb, driven by the keyboard alone.

#include "SaverRun.h"

#include "support/ScopedEnvironment.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>
#include <unistd.h>
#include <nlohmann/json.hpp>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace saver::test {
namespace {

namespace fs = std::filesystem;

constexpr const char* kTitle = "Web Saver Setting - End to end";
constexpr const char* kSettings = "[Set]\nScrName=End to end\nWebInterval=10\nMouseMove=0\n";

// The ids of the windows named `name` exactly, oldest first.
std::vector<std::string> FindWindows(const SaverRun& run, const std::string& name) {
    const std::string found = run.Folder() + "/found";
    run.Xdo("search --name '^" + name + "$' > " + found + " 2>/dev/null");
    std::vector<std::string> ids;
    std::istringstream lines(ReadFile(found));
    for (std::string line; std::getline(lines, line);) {
        ids.push_back(line);
    }
    return ids;
}

// Waits for the dialog and gives it the keyboard; false when it never came.
bool WaitForDialog(SaverRun& run) {
    std::vector<std::string> ids;
    if (!Eventually([&] { return !(ids = FindWindows(run, kTitle)).empty(); })) {
        return false;
    }
    run.Xdo("windowfocus --sync " + ids.front());
    return true;
}

struct WindowPlace {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

// Where the window `id` is on the screen and its size, in device pixels.
WindowPlace PlaceOf(const SaverRun& run, const std::string& id) {
    const std::string file = run.Folder() + "/geometry";
    run.Xdo("getwindowgeometry --shell " + id + " > " + file);
    WindowPlace place;
    std::istringstream lines(ReadFile(file));
    for (std::string line; std::getline(lines, line);) {
        const size_t equals = line.find('=');
        const std::string name = line.substr(0, equals);
        const int value = std::atoi(line.c_str() + equals + 1);
        for (auto [key, field] : {std::pair{"X", &place.x},
                                  {"Y", &place.y},
                                  {"WIDTH", &place.width},
                                  {"HEIGHT", &place.height}}) {
            if (name == key) {
                *field = value;
            }
        }
    }
    return place;
}

std::string UserRegistry(const SaverRun& run) {
    return ReadFile(run.Folder() + "/home/.config/saverhost/user.reg");
}

// What saverpack inspect says the saver reads, with the test's own user folders.
nlohmann::json Inspect(const SaverRun& run) {
    const std::string command = "HOME=" + run.Folder() + "/home XDG_RUNTIME_DIR=" + run.Folder() +
                                "/run " + SAVER_BIN_DIR + "/saverpack inspect --json " +
                                run.Folder() + "/test.scr > " + run.Folder() + "/inspect.json";
    EXPECT_EQ(std::system(command.c_str()), 0);
    return nlohmann::json::parse(ReadFile(run.Folder() + "/inspect.json"));
}

// A saver without a package: the engine itself beside its settings file "plain.002".
void MakePlainSaver(const SaverRun& run, const std::string& folder) {
    fs::create_directories(run.Folder() + folder);
    fs::copy_file(std::string(SAVER_BIN_DIR) + "/saverhost", run.Folder() + folder + "/plain.scr");
    std::ofstream(run.Folder() + folder + "/plain.002") << kSettings;
}

// The focus starts on the pages' tabs. On the exit conditions' page, the first box (mouse
// move) is checked; back on the options page, the interval (the last control before the
// buttons) goes up by one. Then Enter.
constexpr const char* kToInterval = "key shift+Tab key shift+Tab key shift+Tab ";
const std::string kKeyboardChanges = std::string("key Right key Tab key space key shift+Tab ") +
                                     "key Left " + kToInterval + "key Up key Return";

TEST(SettingsDialogEndToEndTest, KeyboardChangesAreStoredForTheNextRun) {
    SaverRun run;
    ASSERT_TRUE(run.StartX());
    ASSERT_TRUE(run.MakeSaverFromSettings(kSettings));
    run.Start({"/c"});
    ASSERT_TRUE(WaitForDialog(run)) << "the dialog never showed";
    run.Xdo(kKeyboardChanges);
    ASSERT_TRUE(run.Ended(60000));
    EXPECT_EQ(run.ExitStatus(), 0);
    const std::string registry = UserRegistry(run);
    EXPECT_NE(registry.find("\"WebInterval\"=dword:0000000b"), std::string::npos) << registry;
    EXPECT_NE(registry.find("\"MouseMoveExit\"=dword:00000001"), std::string::npos) << registry;
    const nlohmann::json settings = Inspect(run)["Settings"];
    EXPECT_EQ(settings["WebInterval"], 11);
    EXPECT_EQ(settings["MouseMove"], true);
}

TEST(SettingsDialogEndToEndTest, ASaverWithoutPackageStoresInItsSettingsFile) {
    SaverRun run;
    ASSERT_TRUE(run.StartX());
    MakePlainSaver(run, "/plain");
    run.StartProgram({run.Folder() + "/plain/plain.scr"});
    ASSERT_TRUE(WaitForDialog(run));
    run.Xdo(kKeyboardChanges);
    ASSERT_TRUE(run.Ended(60000));
    const std::string stored = ReadFile(run.Folder() + "/plain/plain.002");
    EXPECT_NE(stored.find("WebInterval=11\n"), std::string::npos) << stored;
    EXPECT_NE(stored.find("MouseMove=1\n"), std::string::npos) << stored;
    EXPECT_EQ(UserRegistry(run), "") << "a saver without package leaves the registry alone";
}

// A box is checked on the exit conditions' page, then the dialog is left without OK.
struct LeftWithoutOkCase {
    const char* name;
    const char* keys;
};

const LeftWithoutOkCase kLeftWithoutOk[] = {
    {"Escape", "key Escape"},
    // Back to the tabs, then to Cancel (the last control): Enter presses the button that
    // has the focus, not OK.
    {"EnterOnCancel", "key shift+Tab key shift+Tab key Return"},
};

class LeftWithoutOkTest : public ::testing::TestWithParam<LeftWithoutOkCase> {};

TEST_P(LeftWithoutOkTest, StoresNothing) {
    SaverRun run;
    ASSERT_TRUE(run.StartX());
    MakePlainSaver(run, "/plain");
    run.StartProgram({run.Folder() + "/plain/plain.scr", "/c"});
    ASSERT_TRUE(WaitForDialog(run));
    run.Xdo(std::string("key Right key Tab key space ") + GetParam().keys);
    ASSERT_TRUE(run.Ended(60000));
    EXPECT_EQ(ReadFile(run.Folder() + "/plain/plain.002"), kSettings);
    EXPECT_FALSE(fs::exists(run.Folder() + "/home/.config/saverhost/user.reg"));
}

INSTANTIATE_TEST_SUITE_P(Keys, LeftWithoutOkTest, ::testing::ValuesIn(kLeftWithoutOk),
                         [](const auto& info) { return std::string(info.param.name); });

// The settings file's folder is one the saver may not write: as root, the saver runs as
// the user "nobody" and the folder belongs to root.
TEST(SettingsDialogEndToEndTest, AFolderThatCannotBeWrittenIsReported) {
    SaverRun run;
    ASSERT_TRUE(run.StartX());
    MakePlainSaver(run, "/locked");
    fs::permissions(run.Folder(),
                    fs::perms::owner_all | fs::perms::group_exec | fs::perms::others_exec);
    std::vector<std::string> launcher;
    if (::geteuid() == 0) {
        for (const char* own : {"/run", "/home"}) {
            ASSERT_EQ(::chown((run.Folder() + own).c_str(), 65534, 65534), 0);
        }
        launcher = {"setpriv", "--reuid=65534", "--regid=65534", "--clear-groups", "--"};
    } else {
        fs::permissions(run.Folder() + "/locked", fs::perms::owner_write, fs::perm_options::remove);
    }
    launcher.insert(launcher.end(), {run.Folder() + "/locked/plain.scr", "/c"});
    run.StartProgram(launcher);
    ASSERT_TRUE(WaitForDialog(run));
    run.Xdo(std::string(kToInterval) + "key Up key Return");
    // The message box comes over the dialog, under the same title.
    std::vector<std::string> ids;
    ASSERT_TRUE(Eventually([&] { return (ids = FindWindows(run, kTitle)).size() == 2; }));
    EXPECT_FALSE(run.Ended(1000)) << "the message waits for the user";
    run.Xdo("windowfocus --sync " + ids.back() + " key Return");
    ASSERT_TRUE(run.Ended(60000));
    EXPECT_EQ(ReadFile(run.Folder() + "/locked/plain.002"), kSettings);
}

// At twice the scale the dialog keeps its layout at twice the size in device pixels, and
// its PNG banner is drawn stretched over the header frame.
TEST(SettingsDialogEndToEndTest, TwiceTheScaleGivesTwiceTheSize) {
    SaverRun run;
    ASSERT_TRUE(run.StartX());
    fs::copy_file(std::string(SAVER_TEST_DATA) + "/pictures/red.png",
                  run.Folder() + "/content/banner.png");
    ASSERT_TRUE(run.MakeSaverFromSettings(std::string(kSettings) +
                                          "Build_UseBanner=1\nBuild_BannerImage=banner.png\n"
                                          "Build_HideTitle=1\n"));
    {
        ScopedEnvironment scale("GDK_SCALE", "2");
        run.Start({"/c"});
    }
    ASSERT_TRUE(WaitForDialog(run)) << "the dialog never showed";
    // The dialog is larger than the 800 x 600 screen: its corner goes to the screen's.
    const std::string id = FindWindows(run, kTitle).front();
    run.Xdo("windowmove --sync " + id + " 0 0");
    const WindowPlace place = PlaceOf(run, id);
    EXPECT_EQ(place.width, 1006);
    EXPECT_EQ(place.height, 702);
    // The banner's top left pixel is blue, the rest red: the header frame starts at
    // (18, 14) dialog pixels and is 468 x 60, and the picture's 6 x 4 pixels fill it.
    EXPECT_TRUE(Eventually([&] { return run.ScreenColour(2 * 30, 2 * 20) == "#0000FF"; }))
        << run.ScreenColour(2 * 30, 2 * 20);
    EXPECT_EQ(run.ScreenColour(2 * 380, 2 * 60), "#FF0000");
    run.Xdo("key Escape");
    EXPECT_TRUE(run.Ended());
}

// The readme beside a saver without package fills the "Readme" page: a readme of full
// blocks shows as a page in the text's dark colour instead of an empty white one.
TEST(SettingsDialogEndToEndTest, TheReadmePageShowsTheReadme) {
    SaverRun run;
    ASSERT_TRUE(run.StartX());
    MakePlainSaver(run, "/plain");
    std::string blocks;
    for (int line = 0; line < 40; ++line) {
        for (int block = 0; block < 60; ++block) {
            blocks += "\u2588";
        }
        blocks += "\n";
    }
    std::ofstream(run.Folder() + "/plain/readme.txt") << blocks;
    run.StartProgram({run.Folder() + "/plain/plain.scr", "/c"});
    ASSERT_TRUE(WaitForDialog(run));
    run.Xdo("key Right key Right");
    const WindowPlace place = PlaceOf(run, FindWindows(run, kTitle).front());
    const auto dark = [&] {
        const std::string colour = run.ScreenColour(place.x + 100, place.y + 200);
        // Each of red, green and blue below 0x60.
        return colour.size() == 7 && colour[1] < '6' && colour[3] < '6' && colour[5] < '6';
    };
    EXPECT_TRUE(Eventually(dark)) << run.ScreenColour(place.x + 100, place.y + 200);
    run.Xdo("key Escape");
    EXPECT_TRUE(run.Ended());
}

}  // namespace
}  // namespace saver::test
