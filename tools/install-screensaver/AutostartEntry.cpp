#include "AutostartEntry.h"

namespace saver {
namespace {

// One argument of an Exec line, as the desktop entry format quotes them: in double
// quotes when it holds a reserved character, with ", `, $ and \ escaped inside; "%"
// is written twice, as a field code would otherwise begin there. The entry's own
// escapes then double every backslash once more.
std::string ExecArgument(const std::string& argument) {
    std::string quoted;
    bool needs_quotes = argument.empty();
    for (char c : argument) {
        if (c == '"' || c == '`' || c == '$' || c == '\\') {
            quoted += '\\';
        }
        if (c == '%') {
            quoted += '%';
        }
        quoted += c;
        if (std::string_view(" \t\n\"'\\><~|&;$*?#()`").find(c) != std::string_view::npos) {
            needs_quotes = true;
        }
    }
    if (needs_quotes) {
        quoted = "\"" + quoted + "\"";
    }
    std::string escaped;
    for (char c : quoted) {
        escaped += c == '\\' ? std::string("\\\\") : std::string(1, c);
    }
    return escaped;
}

// A value of one line: line breaks would end the entry.
std::string OneLine(const std::string& text) {
    std::string line;
    for (char c : text) {
        line += c == '\n' || c == '\r' ? ' ' : c;
    }
    return line;
}

}  // namespace

std::string AutostartEntry(const std::string& name, const std::vector<std::string>& argv) {
    std::string exec;
    for (const std::string& argument : argv) {
        exec += (exec.empty() ? "" : " ") + ExecArgument(argument);
    }
    return "[Desktop Entry]\n"
           "Type=Application\n"
           "Name=" +
           OneLine(name) +
           " (screen saver)\n"
           "Comment=Starts the screen saver when the desktop has been idle\n"
           "Exec=" +
           exec +
           "\n"
           "Terminal=false\n"
           "NoDisplay=true\n"
           "X-GNOME-Autostart-enabled=true\n";
}

}  // namespace saver
