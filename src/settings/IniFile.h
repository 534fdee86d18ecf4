#pragma once

#include "base/TextEncoding.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace saver {

// The saver settings file's INI dialect, held whole in memory.
//
// Lines are trimmed; empty lines and lines starting with ";" are skipped. "[name]" starts
// a section; any other line in a section is an entry split at its first "=" into key and
// value (both trimmed; no "=" gives an empty key). Lines before the first section are
// dropped. Section and key names compare without regard to letter case; the first of two
// equal keys counts; keys keep their file order.
//
// The bytes are decoded once, before those rules (see DecodeText: a UTF-8 mark dropped,
// UTF-16 with its mark decoded, valid UTF-8 as it is, anything else Windows-1252), so
// everything read is UTF-8. The encoding, mark and line end the file came with are kept
// and written back, so that the Windows tool that wrote the file reads it again.
class IniFile {
  public:
    struct Entry {
        std::string key;
        std::string value;
        int line = 0;  // where the entry stands in the parsed text (from 1); 0 when written
        bool has_equals = true;  // false for a line without "=", read as an entry without key
    };
    struct Section {
        std::string name;
        std::vector<Entry> entries;
        // Upper-cased key -> index of its first entry, so lookups stay fast in big files.
        std::unordered_map<std::string, size_t> first_entry;
        int line = 0;  // the line of the section's first heading; 0 when written
    };

    IniFile() = default;

    // Reads the file at `path`; a missing or unreadable file gives an empty file.
    static IniFile Load(const std::string& path);
    static IniFile Parse(std::string_view bytes);

    std::string ReadString(std::string_view section, std::string_view key,
                           std::string_view fallback = {}) const;
    // Decimal, or hexadecimal after "0x"/"0X"; absent, empty or unreadable gives `fallback`.
    int32_t ReadInteger(std::string_view section, std::string_view key, int32_t fallback) const;
    // Read as an integer: 0 is false, any other number true.
    bool ReadBool(std::string_view section, std::string_view key, bool fallback) const;
    bool HasKey(std::string_view section, std::string_view key) const;

    // The keys of a section in file order (empty when the section does not exist).
    std::vector<std::string> SectionKeys(std::string_view section) const;
    const std::vector<Section>& Sections() const { return sections_; }

    // Sets a value, adding the section and key at their ends when missing.
    void WriteString(std::string_view section, std::string_view key, std::string_view value);
    void WriteInteger(std::string_view section, std::string_view key, int32_t value);
    void WriteBool(std::string_view section, std::string_view key, bool value);

    // The whole file as it is written back, in UTF-8 with "\n" line ends: each section,
    // its entries, one empty line.
    std::string Text() const;
    // Text() as the file's bytes: in the encoding, mark and line end it was read with. A
    // Windows-1252 file whose text now holds a character that code page has not is
    // written as UTF-16 LE with its mark, which Windows reads as well, so nothing is lost.
    std::string Bytes() const;
    // Writes Bytes() to `path` atomically; false (file unchanged) when that fails.
    bool Save(const std::string& path) const;

    // The encoding the file was read with (UTF-8 for a new or missing file).
    TextEncoding Encoding() const { return encoding_; }

    // Parses an integer value the way ReadInteger does; false when it is unreadable.
    static bool ParseInteger(std::string_view text, int32_t& out);

  private:
    const Section* FindSection(std::string_view name) const;
    const Entry* FindEntry(std::string_view section, std::string_view key) const;
    Section& SectionForWriting(std::string_view name);
    static void AddEntry(Section& section, Entry entry);

    std::vector<Section> sections_;
    std::unordered_map<std::string, size_t> section_index_;
    TextEncoding encoding_ = TextEncoding::Utf8;
    std::string line_end_ = "\n";
};

}  // namespace saver
