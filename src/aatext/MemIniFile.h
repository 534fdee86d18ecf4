#pragma once

#include <string>
#include <vector>

#include "aatext/IniAccess.h"

namespace saver {

// An INI file held in memory: sections of "key=value" lines, kept in their order.
// Section and key names match without regard to letter case; lines that are neither a
// section header nor a key (comments, blank lines) are dropped. Integers are read in
// decimal or as "0x"/"$" hexadecimal; a value that is no integer reads as the default.
class MemIniFile : public IniAccess {
  public:
    MemIniFile() = default;
    explicit MemIniFile(const std::string& text) { SetText(text); }

    void SetText(const std::string& text);
    std::string Text() const;
    // Reads a file; returns false (and keeps the contents) when it cannot be read.
    bool LoadFromFile(const std::string& path);

    std::vector<std::string> Sections() const;
    bool HasKey(const std::string& section, const std::string& key) const;
    std::string ReadString(const std::string& section, const std::string& key,
                           const std::string& default_value) const;
    void WriteString(const std::string& section, const std::string& key, const std::string& value);

    int32_t ReadInteger(const std::string& section, const std::string& key,
                        int32_t default_value) const override;
    void WriteInteger(const std::string& section, const std::string& key, int32_t value) override;
    bool ReadBool(const std::string& section, const std::string& key,
                  bool default_value) const override;
    void WriteBool(const std::string& section, const std::string& key, bool value) override;

  private:
    struct Entry {
        std::string key;
        std::string value;
    };
    struct Section {
        std::string name;
        std::vector<Entry> entries;
    };
    const Section* FindSection(const std::string& name) const;
    const Entry* FindEntry(const std::string& section, const std::string& key) const;

    std::vector<Section> sections_;
};

}  // namespace saver
