#include "startup/CommandLine.h"

#include <gtest/gtest.h>

namespace saver {
namespace {

TEST(CommandLineTest, ChoosesTheRunMode) {
    struct Case {
        Arguments arguments;
        int32_t run_mode;
        int32_t window_handle;
    };
    const Case cases[] = {
        {{}, rmSettings, 0},
        {{"/c"}, rmSettingsSwitch, 0},
        {{"/c:1234"}, rmSettingsSwitch, 0},  // the handle after the colon is not used
        {{"-C"}, rmSettingsSwitch, 0},
        {{"/s"}, rmShow, 0},
        {{"/S"}, rmShow, 0},
        {{"-s"}, rmShow, 0},
        {{"xs"}, rmShow, 0},      // the first character is dropped whatever it is
        {{"/x"}, rmShow, 0},      // an unknown switch starts the show
        {{"/"}, rmShow, 0},       // a single character: taken as an unknown switch
        {{"/p"}, rmSettings, 0},  // preview without a handle
        {{"/p", "1234"}, rmPreview, 1234},
        {{"/P", "0"}, rmPreview, 0},
        {{"/p", "12ab"}, rmPreview, 0},  // not a number: handle 0
        {{"/a"}, rmSettings, 0},
        {{"/a", "77"}, rmPassword, 77},
        {{"/a", "-5"}, rmPassword, -5},
        {{"/a", "0"}, rmPassword, 0},
        {{"/a", "99999999999"}, rmPassword, 0},
    };
    for (const Case& c : cases) {
        StartupState state = ParseCommandLine(c.arguments);
        std::string shown = c.arguments.empty() ? "(none)" : c.arguments[0];
        EXPECT_EQ(state.run_mode, c.run_mode) << shown;
        EXPECT_EQ(state.window_handle, c.window_handle) << shown;
    }
}

TEST(CommandLineTest, FindsTheWindowXscreensaverHandsTheSaver) {
    struct Case {
        Arguments arguments;
        const char* variable;  // XSCREENSAVER_WINDOW, null when unset
        bool hosted;
        uint64_t window;
    };
    const Case cases[] = {
        {{"--root"}, "0x2a00007", true, 0x2a00007},
        {{"-root"}, "44040199", true, 44040199},
        {{"--root"}, nullptr, true, 0},  // no window named: the root window
        {{"--root"}, "0xzz", true, 0},   // not a number: the root window
        {{"--window-id", "0x400001"}, "0x99", true, 0x400001},
        {{"-window-id", "123"}, nullptr, true, 123},
        {{"--window-id", "x1"}, "77", true, 77},  // not a number: the variable's window
        {{"--window-id"}, nullptr, true, 0},
        {{"/s"}, "0x2a00007", false, 0},  // only the display-mode switches are hosted
        {{}, "0x2a00007", false, 0},
        {{"--rooted"}, nullptr, false, 0},
    };
    for (const Case& c : cases) {
        const HostWindow host = ReadHostWindow(c.arguments, c.variable);
        const std::string shown = c.arguments.empty() ? "(none)" : c.arguments[0];
        EXPECT_EQ(host.hosted, c.hosted) << shown;
        EXPECT_EQ(host.window, c.window) << shown;
        // Every such switch is show mode for the command line too.
        if (c.hosted) {
            EXPECT_EQ(ParseCommandLine(c.arguments).run_mode, rmShow) << shown;
        }
    }
}

TEST(CommandLineTest, RecognisesTheInstallCommand) {
    EXPECT_TRUE(IsInstallCommand({"path", "/opt/x/", "a.scr"}));
    EXPECT_TRUE(IsInstallCommand({"path", "/opt/x/", "a.scr", "true"}));
    EXPECT_FALSE(IsInstallCommand({"PATH", "/opt/x/", "a.scr"}));
    EXPECT_FALSE(IsInstallCommand({"path", "/opt/x/"}));
}

}  // namespace
}  // namespace saver
