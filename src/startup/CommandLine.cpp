#include "startup/CommandLine.h"

#include "base/Text.h"

#include <charconv>
#include <optional>

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

// An X window id as xscreensaver writes it: decimal, or hexadecimal after "0x".
std::optional<uint64_t> ReadWindowId(const std::string& text) {
    const bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
    const char* begin = text.data() + (hex ? 2 : 0);
    const char* end = text.data() + text.size();
    uint64_t id = 0;
    auto [stop, error] = std::from_chars(begin, end, id, hex ? 16 : 10);
    if (begin == end || error != std::errc() || stop != end) {
        return std::nullopt;
    }
    return id;
}

bool IsSwitch(const std::string& argument, const char* name) {
    return argument == std::string("-") + name || argument == std::string("--") + name;
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

HostWindow ReadHostWindow(const Arguments& arguments, const char* xscreensaver_window) {
    HostWindow host;
    if (arguments.empty()) {
        return host;
    }
    std::optional<uint64_t> window;
    if (IsSwitch(arguments[0], "window-id") && arguments.size() >= 2) {
        window = ReadWindowId(arguments[1]);
    } else if (!IsSwitch(arguments[0], "root") && !IsSwitch(arguments[0], "window-id")) {
        return host;
    }
    if (!window && xscreensaver_window != nullptr) {
        window = ReadWindowId(xscreensaver_window);
    }
    host.hosted = true;
    host.window = window.value_or(0);
    return host;
}

bool IsInstallCommand(const Arguments& arguments) {
    return arguments.size() >= 3 && arguments[0] == "path";
}

}  // namespace saver
