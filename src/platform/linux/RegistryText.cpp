#include "platform/linux/RegistryText.h"

#include <cctype>
#include <cstdio>
#include <vector>

#include "base/Text.h"

namespace saver {

namespace {

constexpr std::string_view kHeader = "REGEDIT4";
constexpr std::string_view kHive = "HKEY_CURRENT_USER";
constexpr std::string_view kDword = "dword:";
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// The blanks around a line and its parts; a line may end in "\r\n".
constexpr std::string_view kLineBlanks = " \t\r";

std::vector<std::string_view> SplitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        size_t end = text.find('\n');
        lines.push_back(Trim(text.substr(0, end), kLineBlanks));
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    }
    return lines;
}

// Reads a quoted string at the start of `text` (which starts with the opening quote) and
// removes it from `text`.
std::optional<std::string> TakeQuoted(std::string_view& text) {
    std::string result;
    for (size_t i = 1; i < text.size(); ++i) {
        char c = text[i];
        if (c == '"') {
            text.remove_prefix(i + 1);
            return result;
        }
        if (c == '\\') {
            if (i + 1 == text.size() || (text[i + 1] != '\\' && text[i + 1] != '"')) {
                return std::nullopt;
            }
            c = text[++i];
        }
        result += c;
    }
    return std::nullopt;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
}

std::optional<uint32_t> ParseDword(std::string_view digits) {
    if (digits.empty() || digits.size() > 8) {
        return std::nullopt;
    }
    uint32_t value = 0;
    for (char c : digits) {
        int digit = HexDigit(c);
        if (digit < 0) {
            return std::nullopt;
        }
        value = value * 16 + static_cast<uint32_t>(digit);
    }
    return value;
}

std::optional<RegistryValue> ParseData(std::string_view data) {
    if (!data.empty() && data.front() == '"') {
        auto text = TakeQuoted(data);
        if (!text || !Trim(data, kLineBlanks).empty()) {
            return std::nullopt;
        }
        return RegistryValue(*text);
    }
    if (StartsWithNoCase(data, kDword)) {
        auto number = ParseDword(data.substr(kDword.size()));
        if (number) {
            return RegistryValue(*number);
        }
    }
    return std::nullopt;
}

bool ParseValueLine(std::string_view line, const std::string& key, RegistryTree& tree) {
    std::optional<std::string> name;
    if (line.front() == '@') {
        name = "";
        line.remove_prefix(1);
    } else {
        name = TakeQuoted(line);
    }
    line = Trim(line, kLineBlanks);
    if (!name || line.empty() || line.front() != '=') {
        return false;
    }
    auto value = ParseData(Trim(line.substr(1), kLineBlanks));
    if (!value) {
        return false;
    }
    tree.Set(key, *name, *value);
    return true;
}

// The key path of a section line "[HKEY_CURRENT_USER\...]", nullopt for any other hive.
std::optional<std::string> ParseSectionLine(std::string_view line) {
    if (line.back() != ']') {
        return std::nullopt;
    }
    std::string_view path = line.substr(1, line.size() - 2);
    if (!StartsWithNoCase(path, kHive)) {
        return std::nullopt;
    }
    path.remove_prefix(kHive.size());
    if (!path.empty() && path.front() != '\\') {
        return std::nullopt;
    }
    return std::string(path);
}

void AppendQuoted(std::string& out, const std::string& text) {
    out += '"';
    for (char c : text) {
        if (c == '\\' || c == '"') {
            out += '\\';
        }
        out += c;
    }
    out += '"';
}

void AppendValue(std::string& out, const RegistryTree::NamedValue& entry) {
    if (entry.name.empty()) {
        out += '@';
    } else {
        AppendQuoted(out, entry.name);
    }
    out += '=';
    if (const auto* number = std::get_if<uint32_t>(&entry.value)) {
        char digits[9];
        std::snprintf(digits, sizeof digits, "%08x", *number);
        out += kDword;
        out += digits;
    } else {
        AppendQuoted(out, std::get<std::string>(entry.value));
    }
    out += '\n';
}

}  // namespace

std::optional<RegistryTree> ParseRegistryText(std::string_view text) {
    if (text.substr(0, kByteOrderMark.size()) == kByteOrderMark) {
        text.remove_prefix(kByteOrderMark.size());
    }
    auto lines = SplitLines(text);
    if (lines.empty() || lines.front() != kHeader) {
        return std::nullopt;
    }
    RegistryTree tree;
    std::optional<std::string> key;
    for (size_t i = 1; i < lines.size(); ++i) {
        std::string_view line = lines[i];
        if (line.empty() || line.front() == ';') {
            continue;
        }
        if (line.front() == '[') {
            key = ParseSectionLine(line);
            if (!key) {
                return std::nullopt;
            }
            tree.AddKey(*key);
        } else if (!key || (line.front() != '@' && line.front() != '"') ||
                   !ParseValueLine(line, *key, tree)) {
            return std::nullopt;
        }
    }
    return tree;
}

std::string FormatRegistryText(const RegistryTree& tree) {
    std::string out(kHeader);
    out += "\n\n";
    for (const auto& [lower_path, key] : tree.Keys()) {
        out += '[';
        out += kHive;
        if (!key.path.empty()) {
            out += '\\';
            out += key.path;
        }
        out += "]\n";
        for (const auto& [lower_name, entry] : key.values) {
            AppendValue(out, entry);
        }
        out += '\n';
    }
    return out;
}

bool StorableInRegistryText(std::string_view text) {
    return text.find_first_of(std::string_view("\r\n\0", 3)) == std::string_view::npos;
}

}  // namespace saver
