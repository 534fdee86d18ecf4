#include "settings/IniFile.h"

#include "base/Files.h"
#include "base/Text.h"

#include <charconv>
#include <cstdio>
#include <fstream>
#include <sstream>

#include <fcntl.h>
#include <unistd.h>

namespace saver {

IniFile IniFile::Load(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return IniFile();
    }
    std::ostringstream buffer;
    buffer << in.rdbuf();
    return Parse(buffer.str());
}

namespace {

// The first line end of the text; "\n" when it has none.
std::string_view FirstLineEnd(std::string_view text) {
    const size_t at = text.find_first_of("\r\n");
    if (at == std::string_view::npos || text[at] == '\n') {
        return "\n";
    }
    return text.substr(at + 1).starts_with('\n') ? "\r\n" : "\r";
}

}  // namespace

IniFile IniFile::Parse(std::string_view bytes) {
    IniFile file;
    DecodedText decoded = DecodeText(bytes);
    file.encoding_ = decoded.encoding;
    std::string_view text = decoded.text;
    file.line_end_ = FirstLineEnd(text);
    Section* current = nullptr;
    int line_number = 0;
    char previous_end = '\0';
    while (!text.empty()) {
        size_t end = text.find_first_of("\r\n");
        const char line_end = end == std::string_view::npos ? '\0' : text[end];
        // "\r\n" ends one line, not two.
        if (!(previous_end == '\r' && end == 0 && line_end == '\n')) {
            ++line_number;
        }
        previous_end = line_end;
        std::string_view line = Trim(text.substr(0, end));
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (line.empty() || line.front() == ';') {
            continue;
        }
        if (line.front() == '[' && line.back() == ']' && line.size() >= 2) {
            current = &file.SectionForWriting(Trim(line.substr(1, line.size() - 2)));
            current->line = current->line == 0 ? line_number : current->line;
            continue;
        }
        if (current == nullptr) {
            continue;
        }
        size_t equals = line.find('=');
        Entry entry;
        entry.line = line_number;
        if (equals != std::string_view::npos) {
            entry.key = Trim(line.substr(0, equals));
            entry.value = Trim(line.substr(equals + 1));
        } else {
            entry.value = line;
            entry.has_equals = false;
        }
        AddEntry(*current, std::move(entry));
    }
    return file;
}

IniFile::Section& IniFile::SectionForWriting(std::string_view name) {
    auto [found, added] = section_index_.try_emplace(UpperCase(name), sections_.size());
    if (added) {
        sections_.push_back(Section{std::string(name), {}, {}});
    }
    return sections_[found->second];
}

void IniFile::AddEntry(Section& section, Entry entry) {
    section.first_entry.try_emplace(UpperCase(entry.key), section.entries.size());
    section.entries.push_back(std::move(entry));
}

const IniFile::Section* IniFile::FindSection(std::string_view name) const {
    auto found = section_index_.find(UpperCase(name));
    return found == section_index_.end() ? nullptr : &sections_[found->second];
}

const IniFile::Entry* IniFile::FindEntry(std::string_view section, std::string_view key) const {
    const Section* found = FindSection(section);
    if (found == nullptr) {
        return nullptr;
    }
    auto entry = found->first_entry.find(UpperCase(key));
    return entry == found->first_entry.end() ? nullptr : &found->entries[entry->second];
}

std::string IniFile::ReadString(std::string_view section, std::string_view key,
                                std::string_view fallback) const {
    const Entry* entry = FindEntry(section, key);
    return std::string(entry != nullptr ? std::string_view(entry->value) : fallback);
}

bool IniFile::ParseInteger(std::string_view text, int32_t& out) {
    text = Trim(text);
    bool negative = !text.empty() && text.front() == '-';
    std::string_view digits =
        negative || (!text.empty() && text.front() == '+') ? text.substr(1) : text;
    int base = 10;
    if (digits.size() > 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) {
        base = 16;
        digits.remove_prefix(2);
    }
    if (digits.empty() || digits.front() == '-' || digits.front() == '+') {
        return false;
    }
    int64_t magnitude = 0;
    auto [end, error] =
        std::from_chars(digits.data(), digits.data() + digits.size(), magnitude, base);
    if (error != std::errc() || end != digits.data() + digits.size()) {
        return false;
    }
    // Hexadecimal values name the 32 bits as they stand (0xFFFFFFFF is -1).
    int64_t value = negative ? -magnitude : magnitude;
    if (base == 16 && value >= 0 && value <= int64_t{UINT32_MAX}) {
        out = static_cast<int32_t>(static_cast<uint32_t>(value));
        return true;
    }
    if (value < INT32_MIN || value > INT32_MAX) {
        return false;
    }
    out = static_cast<int32_t>(value);
    return true;
}

int32_t IniFile::ReadInteger(std::string_view section, std::string_view key,
                             int32_t fallback) const {
    const Entry* entry = FindEntry(section, key);
    int32_t value = fallback;
    if (entry == nullptr || !ParseInteger(entry->value, value)) {
        return fallback;
    }
    return value;
}

bool IniFile::ReadBool(std::string_view section, std::string_view key, bool fallback) const {
    return ReadInteger(section, key, fallback ? 1 : 0) != 0;
}

bool IniFile::HasKey(std::string_view section, std::string_view key) const {
    return FindEntry(section, key) != nullptr;
}

std::vector<std::string> IniFile::SectionKeys(std::string_view section) const {
    std::vector<std::string> keys;
    if (const Section* found = FindSection(section)) {
        for (const Entry& entry : found->entries) {
            keys.push_back(entry.key);
        }
    }
    return keys;
}

void IniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
    Section& target = SectionForWriting(section);
    auto found = target.first_entry.find(UpperCase(key));
    if (found != target.first_entry.end()) {
        target.entries[found->second].value = value;
        return;
    }
    AddEntry(target, Entry{std::string(key), std::string(value)});
}

void IniFile::WriteInteger(std::string_view section, std::string_view key, int32_t value) {
    WriteString(section, key, std::to_string(value));
}

void IniFile::WriteBool(std::string_view section, std::string_view key, bool value) {
    WriteString(section, key, value ? "1" : "0");
}

std::string IniFile::Text() const {
    std::string text;
    for (const Section& section : sections_) {
        text += "[" + section.name + "]\n";
        for (const Entry& entry : section.entries) {
            text += entry.key.empty() && !entry.value.empty() ? entry.value
                                                              : entry.key + "=" + entry.value;
            text += "\n";
        }
        text += "\n";
    }
    return text;
}

std::string IniFile::Bytes() const {
    std::string text = line_end_ == "\n" ? Text() : ReplaceAll(Text(), "\n", line_end_);
    std::optional<std::string> bytes = EncodeText(text, encoding_);
    return bytes ? std::move(*bytes) : *EncodeText(text, TextEncoding::Utf16Le);
}

bool IniFile::Save(const std::string& path) const {
    return WriteFileAtomically(path, Bytes());
}

}  // namespace saver
