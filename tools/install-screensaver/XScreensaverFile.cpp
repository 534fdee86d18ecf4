#include "XScreensaverFile.h"

#include <stdexcept>

#include "base/Text.h"

namespace saver {
namespace {

constexpr const char* kProgramsKey = "programs";

// The key of a setting line ("key:" at its start, after an optional "*" of the
// app-defaults), or empty when the line is none.
std::string KeyOf(std::string_view line) {
    std::string_view text = Trim(line);
    if (!text.empty() && text.front() == '*') {
        text.remove_prefix(1);
    }
    size_t colon = text.find(':');
    if (colon == std::string_view::npos || colon == 0) {
        return "";
    }
    for (char c : text.substr(0, colon)) {
        const bool name = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                          (c >= '0' && c <= '9') || c == '.' || c == '_' || c == '-';
        if (!name) {
            return "";
        }
    }
    return std::string(text.substr(0, colon));
}

bool IsCommentOrBlank(std::string_view line) {
    std::string_view text = Trim(line);
    return text.empty() || text.front() == '#' || text.front() == '!';
}

// A physical line that goes on in the next: it ends in an odd number of backslashes.
bool Continues(std::string_view line) {
    size_t count = 0;
    while (count < line.size() && line[line.size() - 1 - count] == '\\') {
        ++count;
    }
    return count % 2 == 1;
}

// The programs of a programs setting's lines: the value with its line continuations
// joined, split at each "\n".
std::vector<std::string> ProgramsOf(const std::string& lines) {
    std::string value = ReplaceAll(lines, "\\\n", "");
    value = value.substr(value.find(':') + 1);
    std::vector<std::string> programs;
    size_t start = 0;
    while (start <= value.size()) {
        size_t end = value.find("\\n", start);
        const std::string_view program = Trim(
            std::string_view(value).substr(start, end == std::string::npos ? end : end - start));
        if (!program.empty()) {
            programs.emplace_back(program);
        }
        if (end == std::string::npos) {
            break;
        }
        start = end + 2;
    }
    return programs;
}

// The programs setting as xscreensaver-settings writes it: one program a line, a
// disabled one ("-") at the line's start, the others indented.
std::string ProgramsLines(const std::vector<std::string>& programs) {
    std::string lines = std::string(kProgramsKey) + ":\t\t\\\n";
    for (size_t i = 0; i < programs.size(); ++i) {
        lines += (programs[i].starts_with("-") ? "" : "\t\t") + programs[i] +
                 (i + 1 < programs.size() ? "\t\t\\n\\\n" : "\t\t\\n\n");
    }
    return lines;
}

}  // namespace

XScreensaverFile XScreensaverFile::Parse(const std::string& text) {
    if (text.find('\0') != std::string::npos) {
        throw std::runtime_error("it holds a NUL byte: it is no text file");
    }
    XScreensaverFile file;
    size_t line_number = 0;
    size_t at = 0;
    while (at < text.size()) {
        // One setting: a line and the lines its final backslashes carry on to.
        const size_t first_line = line_number + 1;
        std::string lines;
        do {
            size_t end = text.find('\n', at);
            const std::string_view line =
                std::string_view(text).substr(at, end == std::string::npos ? end : end - at);
            lines.append(line).append("\n");
            ++line_number;
            at = end == std::string::npos ? text.size() : end + 1;
            if (!Continues(line)) {
                break;
            }
        } while (at < text.size());
        if (IsCommentOrBlank(lines)) {
            file.entries_.push_back({"", lines});
            continue;
        }
        const std::string key = KeyOf(lines);
        if (key.empty()) {
            throw std::runtime_error("line " + std::to_string(first_line) +
                                     " is neither a setting (\"name: value\") nor a comment");
        }
        if (key == kProgramsKey && file.Find(kProgramsKey) != nullptr) {
            throw std::runtime_error("line " + std::to_string(first_line) +
                                     " is a second list of programs");
        }
        file.entries_.push_back({key, lines});
    }
    return file;
}

XScreensaverFile XScreensaverFile::FromDefaults(const std::string& app_defaults) {
    std::vector<std::string> programs;
    try {
        const XScreensaverFile defaults = Parse(app_defaults);
        programs = defaults.Programs();
    } catch (const std::runtime_error&) {
        // Defaults that cannot be read give no programs; the new file still works.
    }
    XScreensaverFile file;
    file.entries_.push_back({"",
                             "# XScreenSaver Preferences File\n"
                             "# Made by install-screensaver from the system's defaults.\n\n"});
    file.entries_.push_back({kProgramsKey, ProgramsLines(programs)});
    return file;
}

XScreensaverFile::Entry* XScreensaverFile::Find(const std::string& key) {
    for (Entry& entry : entries_) {
        if (entry.key == key) {
            return &entry;
        }
    }
    return nullptr;
}

const XScreensaverFile::Entry* XScreensaverFile::Find(const std::string& key) const {
    return const_cast<XScreensaverFile*>(this)->Find(key);
}

std::vector<std::string> XScreensaverFile::Programs() const {
    const Entry* programs = Find(kProgramsKey);
    return programs != nullptr ? ProgramsOf(programs->lines) : std::vector<std::string>{};
}

size_t XScreensaverFile::AddProgram(const std::string& line, const std::string& command) {
    std::vector<std::string> programs = Programs();
    size_t index = 0;
    while (index < programs.size() && programs[index].find(command) == std::string::npos) {
        ++index;
    }
    if (index == programs.size()) {
        programs.push_back(line);
    } else if (programs[index].starts_with("-")) {
        // xscreensaver never runs a disabled program, selected or not.
        programs[index] = std::string(Trim(std::string_view(programs[index]).substr(1)));
    } else {
        return index;
    }
    Entry* entry = Find(kProgramsKey);
    if (entry == nullptr) {
        entries_.push_back({kProgramsKey, ""});
        entry = &entries_.back();
    }
    entry->lines = ProgramsLines(programs);
    return index;
}

void XScreensaverFile::Set(const std::string& key, const std::string& value) {
    const std::string lines = key + ":\t\t" + value + "\n";
    if (Entry* entry = Find(key)) {
        entry->lines = lines;
    } else {
        entries_.push_back({key, lines});
    }
}

std::string XScreensaverFile::Text() const {
    std::string text;
    for (const Entry& entry : entries_) {
        text += entry.lines;
    }
    return text;
}

std::string ShellQuote(const std::string& text) {
    return "'" + ReplaceAll(text, "'", "'\\''") + "'";
}

}  // namespace saver
