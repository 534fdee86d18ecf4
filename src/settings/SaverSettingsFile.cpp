#include "settings/SaverSettingsFile.h"

#include "settings/SaverSettingKeys.h"

#include <type_traits>

namespace saver {

namespace {

constexpr std::string_view kSet = "Set";

bool IsWrittenBack(std::string_view key) {
    return key != "Author" && key != "Website" && key != "ScrEmail" && !key.starts_with("Build_");
}

}  // namespace

std::vector<std::string> BuildFeedList(const IniFile& file) {
    std::vector<std::string> feeds = file.SectionKeys("feeds");
    for (size_t i = feeds.size(); i-- > 0;) {
        std::string name = feeds[i].substr(0, feeds[i].find(" ["));
        if (file.ReadString("feeds", name).empty() || !file.ReadBool("usefeed", name, true)) {
            feeds.erase(feeds.begin() + static_cast<std::ptrdiff_t>(i));
        }
    }
    return feeds;
}

void ReadSettingKeys(const IniFile& file, TSaverSetting& record) {
    for (const SaverSettingKey& key : SaverSettingKeys()) {
        std::visit(
            [&](auto member) {
                auto& field = record.*member;
                using Field = std::remove_reference_t<decltype(field)>;
                if constexpr (std::is_same_v<Field, bool>) {
                    field = file.ReadBool(kSet, key.name, field);
                } else if constexpr (std::is_same_v<Field, std::string>) {
                    field = file.HasKey(kSet, key.name) ? file.ReadString(kSet, key.name) : field;
                } else {
                    // WebSequence keeps only the low 8 bits of what is read.
                    field = static_cast<Field>(file.ReadInteger(kSet, key.name, field));
                }
            },
            key.field);
    }
}

bool SaveSaverSettings(const TSaverSetting& record, IniFile& file, const std::string& path) {
    for (const SaverSettingKey& key : SaverSettingKeys()) {
        if (!IsWrittenBack(key.name)) {
            continue;
        }
        std::visit(
            [&](auto member) {
                const auto& field = record.*member;
                using Field = std::remove_cvref_t<decltype(field)>;
                if constexpr (std::is_same_v<Field, bool>) {
                    file.WriteBool(kSet, key.name, field);
                } else if constexpr (std::is_same_v<Field, std::string>) {
                    file.WriteString(kSet, key.name, field);
                } else {
                    file.WriteInteger(kSet, key.name, field);
                }
            },
            key.field);
    }
    return file.Save(path);
}

}  // namespace saver
