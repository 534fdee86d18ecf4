#include "startup/CommandLine.h"

#include "base/Text.h"

#include <charconv>

namespace saver {

namespace {

int32_t ReadWindowHandle(const std::string& text) {
    int32_t handle = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), handle);
    if (error != std::errc() || end != text.data() + text.size()) {
        return 0;
    }
    return handle;
}

}  // namespace

StartupState ParseCommandLine(const Arguments& arguments) {
    StartupState state;
    if (arguments.empty()) {
        return state;
    }
    const std::string argument = UpperCase(arguments[0]);
    // A single character leaves no switch letter; it is taken as an unknown switch.
    const char letter = argument.size() >= 2 ? argument[1] : '\0';
    const bool has_handle = arguments.size() >= 2;
    switch (letter) {
        case 'A':
            if (has_handle) {
                state.run_mode = rmPassword;
                state.window_handle = ReadWindowHandle(arguments[1]);
            }
            break;
        case 'C':
            state.run_mode = rmSettingsSwitch;
            break;
        case 'P':
            if (has_handle) {
                state.run_mode = rmPreview;
                state.window_handle = ReadWindowHandle(arguments[1]);
            }
            break;
        default:
            state.run_mode = rmShow;
            break;
    }
    return state;
}

bool IsInstallCommand(const Arguments& arguments) {
    return arguments.size() >= 3 && arguments[0] == "path";
}

}  // namespace saver
