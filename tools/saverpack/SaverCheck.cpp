#include "SaverCheck.h"

#include "NearestName.h"
#include "PageReferences.h"
#include "base/Files.h"
#include "base/Text.h"
#include "settings/ContentResolver.h"
#include "settings/SafeLimits.h"
#include "settings/SaverSettingKeys.h"

#include <algorithm>
#include <array>
#include <fstream>
#include <optional>
#include <set>
#include <sstream>
#include <type_traits>

namespace saver {

namespace {

using Entry = IniFile::Entry;

// What the saver reads from the entries of each section it knows.
enum class Values { kSettings, kText, kNumbers, kItems };

struct KnownSection {
    std::string_view name;
    Values values;
    std::string_view fallback = "";  // what the saver takes for a value that is no number
};

constexpr std::array<KnownSection, 11> kSections{{
    {"Set", Values::kSettings},
    {"feeds", Values::kText},
    {"usefeed", Values::kNumbers, "1"},
    {"Pictures", Values::kItems, "1"},
    {"Music", Values::kItems, "1"},
    {"Flash", Values::kItems, "1"},
    {"Video", Values::kItems, "1"},
    {"Web", Values::kItems, "1"},
    {"zippos", Values::kNumbers},
    {"notzip", Values::kNumbers, "0"},
    {"Caption", Values::kText},  // written by other authoring tools; read past
}};

template <typename Names>
std::vector<std::string_view> NamesOf(const Names& table) {
    std::vector<std::string_view> names;
    for (const auto& entry : table) {
        names.push_back(entry.name);
    }
    return names;
}

std::string Quoted(std::string_view text) {
    return "\"" + std::string(text) + "\"";
}

// The key's default, as the settings file would write it.
std::string DefaultText(const SaverSettingKey& key) {
    const TSaverSetting defaults;
    return std::visit(
        [&](auto member) -> std::string {
            const auto& field = defaults.*member;
            using Field = std::remove_cvref_t<decltype(field)>;
            if constexpr (std::is_same_v<Field, std::string>) {
                return field;
            } else {
                return std::to_string(static_cast<int64_t>(field));
            }
        },
        key.field);
}

// The value the saver uses for `value` of an integer key after its safe limits; the
// value itself when no limit applies.
int32_t SafeValue(const SaverSettingKey& key, int32_t value) {
    TSaverSetting record;
    const auto* member = std::get_if<int32_t TSaverSetting::*>(&key.field);
    if (member == nullptr) {
        return value;
    }
    record.*(*member) = value;
    ApplySafeLimits(record);
    return record.*(*member);
}

bool IsPage(const std::string& name) {
    const std::string upper = UpperCase(name);
    return upper.ends_with(".HTM") || upper.ends_with(".HTML") || upper.ends_with(".CSS");
}

std::string ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

class Checker {
  public:
    explicit Checker(const SaverSources& sources) : sources_(sources) {
        for (const ContentFile& file : sources.content) {
            package_.insert(file.name);
        }
        beside_pages_ = package_;
        for (const PackageItemSource& item : sources.items) {
            package_.insert(PackageItemName(item));
        }
        // Package items are unpacked at start only when a list names them as resources.
        for (const ContentListField& list : ContentListFields()) {
            for (const std::string& key : sources.settings.SectionKeys(list.section)) {
                std::string name = key;
                if ((RemovePrefix(name, kContentPrefixes[3]) ||
                     RemovePrefix(name, kContentPrefixes[4])) &&
                    sources.settings.ReadBool(list.section, key, true)) {
                    beside_pages_.insert(FileNamePart(ReplaceAll(name, "**", "=")));
                }
            }
        }
    }

    std::vector<std::string> Run() {
        const TextEncoding encoding = sources_.settings.Encoding();
        if (encoding != TextEncoding::Utf8 && encoding != TextEncoding::Utf8WithMark) {
            findings_.emplace_back(0, sources_.settings_path +
                                          ": warning: the settings file is not UTF-8; read it "
                                          "as " +
                                          std::string(EncodingName(encoding)) +
                                          " (the saver reads it so too)");
        }
        for (const PackageItemSource& item : sources_.items) {
            if (!item.not_zip && EqualsNoCase(PackageItemName(item), kMpegLibraryItem)) {
                findings_.emplace_back(
                    0, item.path +
                           ": warning: the MPEG audio library is zipped: the saver unpacks it "
                           "into the system folder only where the user may write there and is "
                           "not root, and else into the private working folder, from which it "
                           "is loaded (\":notzip\" always carries it there)");
            }
        }
        for (const IniFile::Section& section : sources_.settings.Sections()) {
            CheckSection(section);
        }
        std::stable_sort(findings_.begin(), findings_.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
        std::vector<std::string> lines;
        for (auto& [line, text] : findings_) {
            lines.push_back(std::move(text));
        }
        CheckPages(lines);
        return lines;
    }

  private:
    void Warn(int line, std::string_view section, std::string_view key, const std::string& text) {
        std::string where = "[" + std::string(section) + "]";
        if (!key.empty()) {
            where += " " + std::string(key);
        }
        findings_.emplace_back(line, sources_.settings_path + ":" + std::to_string(line) +
                                         ": warning: " + where + ": " + text);
    }

    void CheckSection(const IniFile::Section& section) {
        const auto known = std::find_if(kSections.begin(), kSections.end(), [&](auto& s) {
            return EqualsNoCase(s.name, section.name);
        });
        if (known == kSections.end()) {
            Warn(section.line, section.name, "",
                 "unknown section, which the saver reads past; the nearest known one is [" +
                     NearestName(section.name, NamesOf(kSections)) + "]");
            return;
        }
        for (const Entry& entry : section.entries) {
            if (!entry.has_equals) {
                Warn(entry.line, section.name, entry.value,
                     "no \"=\" on the line, so the saver reads an entry without a name (write "
                     "NAME=VALUE, such as " +
                         entry.value + "=1)");
            } else if (entry.key.empty()) {
                Warn(entry.line, section.name, "",
                     "an entry without a name: " + Quoted("=" + entry.value));
            } else {
                CheckEntry(*known, entry);
            }
        }
    }

    void CheckEntry(const KnownSection& section, const Entry& entry) {
        const std::string fallback(section.fallback);
        switch (section.values) {
            case Values::kSettings:
                CheckSetting(section.name, entry);
                break;
            case Values::kNumbers:
                CheckNumber(section.name, entry, fallback);
                break;
            case Values::kItems:
                // An item switched off with 0 is never used.
                if (CheckNumber(section.name, entry, fallback).value_or(1) != 0) {
                    CheckItem(section.name, entry);
                }
                break;
            case Values::kText:
                break;
        }
    }

    void CheckSetting(std::string_view section, const Entry& entry) {
        const SaverSettingKey* key = FindSaverSettingKey(entry.key);
        if (key == nullptr) {
            Warn(entry.line, section, entry.key,
                 "unknown key, which the saver reads past; the nearest known one is " +
                     NearestName(entry.key, NamesOf(SaverSettingKeys())));
            return;
        }
        if (std::holds_alternative<std::string TSaverSetting::*>(key->field)) {
            return;
        }
        const std::optional<int32_t> value = CheckNumber(section, entry, DefaultText(*key));
        if (value && key->range && !key->range->Holds(*value)) {
            std::string text = std::to_string(*value) + " lies outside " +
                               std::to_string(key->range->low) + ".." +
                               std::to_string(key->range->high) + ", the values allowed here";
            const int32_t used = SafeValue(*key, *value);
            if (used != *value) {
                text += "; the saver uses " + std::to_string(used);
            }
            Warn(entry.line, section, entry.key, text);
        }
    }

    // Warns when the value is no number; returns the number when it is one.
    std::optional<int32_t> CheckNumber(std::string_view section, const Entry& entry,
                                       const std::string& fallback) {
        int32_t value = 0;
        if (!IniFile::ParseInteger(entry.value, value)) {
            const std::string what =
                entry.value.empty() ? "no value" : Quoted(entry.value) + " is not a number";
            Warn(entry.line, section, entry.key,
                 what + (fallback.empty() ? "" : ", so the saver uses the default " + fallback));
            return std::nullopt;
        }
        return value;
    }

    void CheckItem(std::string_view section, const Entry& entry) {
        const std::string& item = entry.key;
        if (item.starts_with("(")) {
            const std::string_view word(item.data(), std::min(item.find(')') + 1, item.size()));
            for (std::string_view prefix : kContentPrefixes) {
                if (EqualsNoCase(word, prefix.substr(0, prefix.size() - 1)) &&
                    !item.starts_with(prefix)) {
                    Warn(entry.line, section, item,
                         "the prefix must be written " + Quoted(prefix) +
                             " (this letter case, one blank), or the saver takes it for part "
                             "of the name");
                    return;
                }
            }
        }
        if (!Resolves(item)) {
            Warn(entry.line, section, item,
                 "in neither the package nor an existing local path, and not an address");
        }
    }

    bool Resolves(const std::string& item) const {
        std::string body = ReplaceAll(item, "**", "=");
        if (body.find("://") != std::string::npos) {
            return true;
        }
        std::string_view kind;
        for (std::string_view prefix : kContentPrefixes) {
            if (RemovePrefix(body, prefix)) {
                kind = prefix;
                break;
            }
        }
        const std::string local = ReplaceAll(body, "\\", "/");
        if (local.ends_with('/')) {
            return DirectoryExists(local);
        }
        if (kind == kContentPrefixes[0]) {
            return FileExists(local);
        }
        return package_.count(FileNamePart(body)) != 0 ||
               (local.starts_with('/') && FileExists(local));
    }

    void CheckPages(std::vector<std::string>& lines) const {
        for (const ContentFile& file : sources_.content) {
            if (!IsPage(file.name)) {
                continue;
            }
            const bool style_sheet = UpperCase(file.name).ends_with(".CSS");
            for (const PageReference& reference :
                 FindPageReferences(ReadText(file.path), style_sheet)) {
                const std::string text = CheckReference(RelativeFile(reference.target));
                if (!text.empty()) {
                    lines.push_back(file.path + ":" + std::to_string(reference.line) +
                                    ": warning: " + Quoted(reference.target) + " " + text);
                }
            }
        }
    }

    // What is wrong with a page's reference to `name` in its own folder; empty when
    // nothing is.
    std::string CheckReference(const std::string& name) const {
        if (name.empty()) {
            return "";
        }
        if (name.find_first_of("/\\") != std::string::npos || name == "..") {
            const std::string plain = FileNamePart(name);
            std::string text =
                "names a folder, but the package keeps none, so the page will "
                "not find it";
            if (package_.count(plain) != 0) {
                text += " (the package holds " + plain + " beside the page: write " +
                        Quoted(plain) + ")";
            }
            return text;
        }
        return beside_pages_.count(name) != 0
                   ? ""
                   : "is not in the package, so the page will not find it";
    }

    const SaverSources& sources_;
    std::set<std::string> package_;       // every name the package carries
    std::set<std::string> beside_pages_;  // the names unpacked beside the pages
    std::vector<std::pair<int, std::string>> findings_;
};

}  // namespace

std::vector<std::string> CheckSaver(const SaverSources& sources) {
    return Checker(sources).Run();
}

}  // namespace saver
