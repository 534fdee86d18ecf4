// The editing of xscreensaver's settings file: on a user's own file and on the
// system-wide defaults, and the files it refuses to touch.
#include "XScreensaverFile.h"

#include <gtest/gtest.h>

#include <sstream>

#include "support/TempFolder.h"

namespace saver {
namespace {

using test::ReadFile;

const std::string kData = std::string(SAVER_TEST_DATA) + "/install/";
const std::string kSaverLine = "\"Ocean\"  '/opt/my savers/Ocean.scr' --root";
const std::string kSaverCommand = "'/opt/my savers/Ocean.scr' --root";

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);) {
        lines.push_back(line);
    }
    return lines;
}

TEST(XScreensaverFileTest, AddsAndSelectsTheSaverKeepingEverythingElse) {
    const std::string original = ReadFile(kData + "user.xscreensaver");
    XScreensaverFile file = XScreensaverFile::Parse(original);
    const std::vector<std::string> programs = file.Programs();
    ASSERT_EQ(programs.size(), 5u);
    EXPECT_EQ(programs[2], "\"My own clock\"\t\txclock -geometry 300x300 -bg black");

    EXPECT_EQ(file.AddProgram(kSaverLine, kSaverCommand), 5u);
    file.Set("mode", "one");
    file.Set("selected", "5");
    const XScreensaverFile again = XScreensaverFile::Parse(file.Text());
    std::vector<std::string> expected = programs;
    expected.push_back(kSaverLine);
    EXPECT_EQ(again.Programs(), expected);

    // Every line outside the programs list is kept in its place, but mode and selected.
    std::vector<std::string> kept;
    for (const std::string& line : Lines(original)) {
        if (line.find("\\") == std::string::npos) {
            kept.push_back(line.starts_with("mode:")       ? "mode:\t\tone"
                           : line.starts_with("selected:") ? "selected:\t\t5"
                                                           : line);
        }
    }
    std::vector<std::string> now;
    for (const std::string& line : Lines(file.Text())) {
        if (line.find("\\") == std::string::npos) {
            now.push_back(line);
        }
    }
    EXPECT_EQ(now, kept);
}

TEST(XScreensaverFileTest, ASaverAlreadyListedIsNotAddedTwice) {
    XScreensaverFile file = XScreensaverFile::Parse(ReadFile(kData + "user.xscreensaver"));
    file.AddProgram(kSaverLine, kSaverCommand);
    XScreensaverFile second = XScreensaverFile::Parse(file.Text());
    EXPECT_EQ(second.AddProgram(kSaverLine, kSaverCommand), 5u);
    EXPECT_EQ(second.Programs().size(), 6u);
    EXPECT_EQ(second.Text(), file.Text());
}

// xscreensaver never runs a disabled program, selected or not.
TEST(XScreensaverFileTest, ADisabledEntryOfTheSaverIsEnabled) {
    XScreensaverFile file = XScreensaverFile::Parse(ReadFile(kData + "user.xscreensaver"));
    file.AddProgram("-\t\t" + kSaverLine, kSaverCommand);
    XScreensaverFile disabled = XScreensaverFile::Parse(file.Text());
    ASSERT_TRUE(disabled.Programs().back().starts_with("-"));
    EXPECT_EQ(disabled.AddProgram(kSaverLine, kSaverCommand), 5u);
    const std::vector<std::string> programs = XScreensaverFile::Parse(disabled.Text()).Programs();
    EXPECT_EQ(programs.back(), kSaverLine);
    EXPECT_TRUE(programs[1].starts_with("- GL:")) << "other disabled programs stay disabled";
}

TEST(XScreensaverFileTest, ANewFileTakesTheProgramsOfTheDefaults) {
    XScreensaverFile file =
        XScreensaverFile::FromDefaults(ReadFile(kData + "app-defaults.XScreenSaver"));
    EXPECT_EQ(file.AddProgram(kSaverLine, kSaverCommand), 3u);
    file.Set("mode", "one");
    const XScreensaverFile again = XScreensaverFile::Parse(file.Text());
    EXPECT_EQ(again.Programs(),
              (std::vector<std::string>{"maze --root", "- GL: \t\t\t\tsuperquadrics --root",
                                        "qix --root", kSaverLine}));
    EXPECT_NE(file.Text().find("\nmode:\t\tone\n"), std::string::npos);
    // Without defaults the saver is the only program.
    XScreensaverFile bare = XScreensaverFile::FromDefaults("");
    EXPECT_EQ(bare.AddProgram(kSaverLine, kSaverCommand), 0u);
}

TEST(XScreensaverFileTest, RefusesWhatIsNoSettingsFile) {
    struct Case {
        const char* why;
        std::string text;
        const char* message;
    };
    const Case cases[] = {
        {"a line of prose", "timeout: 0:05:00\nthis is not a setting\n", "line 2"},
        {"a key with a blank in it", "mode one: x\n", "line 1"},
        {"binary bytes", std::string("mode: one\n\0\x01", 12), "NUL"},
        {"two programs lists", "programs: a \\n\\\n b\nprograms: c\n", "line 3"},
    };
    for (const Case& c : cases) {
        try {
            XScreensaverFile::Parse(c.text);
            ADD_FAILURE() << c.why << ": accepted";
        } catch (const std::runtime_error& error) {
            EXPECT_NE(std::string(error.what()).find(c.message), std::string::npos)
                << c.why << ": " << error.what();
        }
    }
    // A file without programs, and an empty one, are settings files all the same.
    EXPECT_TRUE(XScreensaverFile::Parse("").Programs().empty());
    EXPECT_TRUE(XScreensaverFile::Parse("lock: False\n\n# note\n").Programs().empty());
}

TEST(XScreensaverFileTest, ShellQuoteKeepsEveryCharacter) {
    EXPECT_EQ(ShellQuote("/a b/it's.scr"), "'/a b/it'\\''s.scr'");
}

}  // namespace
}  // namespace saver
