#include "aatext/MemIniFile.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <fstream>
#include <sstream>

namespace saver {

namespace {

bool SameText(const std::string& a, const std::string& b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](unsigned char x, unsigned char y) {
               return std::tolower(x) == std::tolower(y);
           });
}

std::string Trim(const std::string& text) {
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos) {
        return "";
    }
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

// Parses a decimal or hexadecimal ("0x1F", "$1F") integer, with an optional sign.
bool ParseInteger(const std::string& text, int32_t& value) {
    std::string_view digits = text;
    const bool negative = !digits.empty() && digits.front() == '-';
    if (negative || (!digits.empty() && digits.front() == '+')) {
        digits.remove_prefix(1);
    }
    int base = 10;
    if (digits.starts_with("0x") || digits.starts_with("0X")) {
        digits.remove_prefix(2);
        base = 16;
    } else if (digits.starts_with("$")) {
        digits.remove_prefix(1);
        base = 16;
    }
    int64_t magnitude = 0;
    const auto [end, error] =
        std::from_chars(digits.data(), digits.data() + digits.size(), magnitude, base);
    if (digits.empty() || error != std::errc() || end != digits.data() + digits.size() ||
        magnitude > 0xFFFFFFFFLL) {
        return false;
    }
    // Hexadecimal values name 32-bit patterns, so 0xFFFFFFFF reads as -1.
    value = static_cast<int32_t>(static_cast<uint32_t>(negative ? -magnitude : magnitude));
    return true;
}

}  // namespace

void MemIniFile::SetText(const std::string& text) {
    sections_.clear();
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        line = Trim(line);
        if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
            sections_.push_back(Section{Trim(line.substr(1, line.size() - 2)), {}});
            continue;
        }
        const auto equals = line.find('=');
        if (equals == std::string::npos || line.front() == ';' || sections_.empty()) {
            continue;
        }
        WriteString(sections_.back().name, Trim(line.substr(0, equals)),
                    Trim(line.substr(equals + 1)));
    }
}

std::string MemIniFile::Text() const {
    std::string text;
    for (const Section& section : sections_) {
        text += "[" + section.name + "]\n";
        for (const Entry& entry : section.entries) {
            text += entry.key + "=" + entry.value + "\n";
        }
        text += "\n";
    }
    return text;
}

bool MemIniFile::LoadFromFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        return false;
    }
    std::ostringstream content;
    content << file.rdbuf();
    SetText(content.str());
    return true;
}

std::vector<std::string> MemIniFile::Sections() const {
    std::vector<std::string> names;
    for (const Section& section : sections_) {
        names.push_back(section.name);
    }
    return names;
}

const MemIniFile::Section* MemIniFile::FindSection(const std::string& name) const {
    const auto found = std::find_if(sections_.begin(), sections_.end(),
                                    [&](const Section& s) { return SameText(s.name, name); });
    return found == sections_.end() ? nullptr : &*found;
}

const MemIniFile::Entry* MemIniFile::FindEntry(const std::string& section,
                                               const std::string& key) const {
    const Section* s = FindSection(section);
    if (s == nullptr) {
        return nullptr;
    }
    const auto found = std::find_if(s->entries.begin(), s->entries.end(),
                                    [&](const Entry& e) { return SameText(e.key, key); });
    return found == s->entries.end() ? nullptr : &*found;
}

bool MemIniFile::HasKey(const std::string& section, const std::string& key) const {
    return FindEntry(section, key) != nullptr;
}

std::string MemIniFile::ReadString(const std::string& section, const std::string& key,
                                   const std::string& default_value) const {
    const Entry* entry = FindEntry(section, key);
    return entry != nullptr ? entry->value : default_value;
}

void MemIniFile::WriteString(const std::string& section, const std::string& key,
                             const std::string& value) {
    if (Entry* entry = const_cast<Entry*>(FindEntry(section, key))) {
        entry->value = value;
        return;
    }
    Section* s = const_cast<Section*>(FindSection(section));
    if (s == nullptr) {
        s = &sections_.emplace_back(Section{section, {}});
    }
    s->entries.push_back(Entry{key, value});
}

int32_t MemIniFile::ReadInteger(const std::string& section, const std::string& key,
                                int32_t default_value) const {
    int32_t value = 0;
    return ParseInteger(ReadString(section, key, ""), value) ? value : default_value;
}

void MemIniFile::WriteInteger(const std::string& section, const std::string& key, int32_t value) {
    WriteString(section, key, std::to_string(value));
}

bool MemIniFile::ReadBool(const std::string& section, const std::string& key,
                          bool default_value) const {
    return ReadInteger(section, key, default_value ? 1 : 0) != 0;
}

void MemIniFile::WriteBool(const std::string& section, const std::string& key, bool value) {
    WriteString(section, key, value ? "1" : "0");
}

}  // namespace saver
