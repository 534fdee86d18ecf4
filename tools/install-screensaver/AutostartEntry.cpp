#include "AutostartEntry.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <optional>
#include <stdexcept>

#include "base/Files.h"
#include "base/Text.h"

namespace saver {
namespace {

constexpr const char* kMarkKey = "X-Saverhost-Saver=";
constexpr const char* kWatcherName = "idle-watcher";
constexpr size_t kMaxNameLetters = 40;

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

// The value of the first line of `text` that starts with `key` (with its "="); nullopt
// when none does.
std::optional<std::string> ValueOf(const std::string& text, const std::string& key) {
    for (size_t at = 0; at < text.size();) {
        const size_t end = std::min(text.find('\n', at), text.size());
        const std::string_view line = std::string_view(text).substr(at, end - at);
        if (line.starts_with(key)) {
            return std::string(line.substr(key.size()));
        }
        at = end + 1;
    }
    return std::nullopt;
}

// An Exec line that older versions wrote: the idle watcher, "--minutes N" and the saver.
bool RunsTheWatcherFor(const std::string& exec, const std::string& saver) {
    const std::string tail = " " + ExecArgument(saver);
    if (!exec.ends_with(tail)) {
        return false;
    }
    const std::string rest = exec.substr(0, exec.size() - tail.size());
    const size_t minutes = rest.rfind(" --minutes ");
    if (minutes == std::string::npos ||
        rest.find_first_not_of("0123456789", minutes + 11) != std::string::npos ||
        minutes + 11 == rest.size()) {
        return false;
    }
    std::string program = rest.substr(0, minutes);
    if (program.size() >= 2 && program.front() == '"' && program.back() == '"') {
        program = program.substr(1, program.size() - 2);
    }
    return program.ends_with(std::string("/") + kWatcherName);
}

void RemoveOrThrow(const std::string& path) {
    if (::unlink(path.c_str()) != 0 && errno != ENOENT) {
        throw std::runtime_error("cannot remove " + path + ": " + std::strerror(errno));
    }
}

}  // namespace

std::string AutostartEntry(const std::string& name, const std::string& saver,
                           const std::vector<std::string>& argv) {
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
           "X-GNOME-Autostart-enabled=true\n" +
           kMarkKey + OneLine(saver) + "\n";
}

std::string AutostartFileName(const std::string& saver) {
    std::string name;
    for (unsigned char c : FileNamePart(saver)) {
        if (name.size() == kMaxNameLetters) {
            break;
        }
        const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                           (c >= '0' && c <= '9') || c == '.' || c == '-' || c == '_';
        name += plain ? static_cast<char>(c) : '_';
    }
    return "saverhost-" + name + "-" + StableHashHex(saver).substr(0, 8) + ".desktop";
}

bool IsOurAutostartEntry(const std::string& text, const std::string& saver) {
    if (const std::optional<std::string> marked = ValueOf(text, kMarkKey)) {
        return *marked == OneLine(saver);
    }
    const std::optional<std::string> exec = ValueOf(text, "Exec=");
    return exec && RunsTheWatcherFor(*exec, saver);
}

AutostartFolder::AutostartFolder(std::string folder, std::vector<std::string> system_folders)
    : folder_(std::move(folder)), system_folders_(std::move(system_folders)) {}

std::vector<std::string> AutostartFolder::OursFor(const std::string& saver,
                                                  const std::string& name) const {
    std::vector<std::string> ours;
    for (const std::string& path :
         {folder_ + AutostartFileName(saver), folder_ + SafeFileName(name + ".desktop")}) {
        if (FileExists(path) && IsOurAutostartEntry(FileContents(path), saver)) {
            ours.push_back(path);
        }
    }
    return ours;
}

std::string AutostartFolder::Install(const std::string& saver, const std::string& name,
                                     const std::vector<std::string>& argv) const {
    const std::string file_name = AutostartFileName(saver);
    const std::string path = folder_ + file_name;
    for (const std::string& system : system_folders_) {
        if (FileExists(system + file_name)) {
            throw std::runtime_error("the system-wide autostart entry " + system + file_name +
                                     " has the name of the saver's entry, which would hide it");
        }
    }
    if (FileExists(path) && !IsOurAutostartEntry(FileContents(path), saver)) {
        throw std::runtime_error(path +
                                 " was not written by install-screensaver for this saver; it is "
                                 "left as it is");
    }
    if (!ForceDirectories(folder_) ||
        !WriteFileAtomically(path, AutostartEntry(name, saver, argv), 0644)) {
        throw std::runtime_error("cannot write " + path + ": " + std::strerror(errno));
    }
    for (const std::string& ours : OursFor(saver, name)) {
        if (ours != path) {
            RemoveOrThrow(ours);
        }
    }
    return path;
}

std::vector<std::string> AutostartFolder::Remove(const std::string& saver,
                                                 const std::string& name) const {
    const std::vector<std::string> ours = OursFor(saver, name);
    for (const std::string& path : ours) {
        RemoveOrThrow(path);
    }
    return ours;
}

}  // namespace saver
