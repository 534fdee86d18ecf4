#include "SaverInspector.h"

#include "base/Files.h"
#include "base/JsonWriter.h"
#include "platform/InstanceLock.h"
#include "platform/LibraryLoader.h"
#include "platform/Shell.h"
#include "settings/SaverSettingKeys.h"
#include "startup/SaverProcess.h"

#include <filesystem>
#include <sstream>
#include <stdexcept>
#include <type_traits>

namespace saver {

namespace {

// The system's folders, but with the inspected saver as the running program and a
// fresh scratch folder as the temporary folder.
class InspectedFolders : public Folders {
  public:
    InspectedFolders(const Folders& system, std::string saver_path)
        : system_(system), saver_path_(std::move(saver_path)) {
        std::string pattern = system.TemporaryFolder() + "saverpack-inspect-XXXXXX";
        if (::mkdtemp(pattern.data()) == nullptr) {
            throw std::runtime_error("cannot make a scratch folder in " + system.TemporaryFolder());
        }
        scratch_ = pattern + "/";
    }
    ~InspectedFolders() override {
        std::error_code error;
        std::filesystem::remove_all(scratch_, error);
    }

    std::string TemporaryFolder() const override { return scratch_; }
    std::string DiskFolder() const override { return scratch_; }
    std::string SystemFolder() const override { return system_.SystemFolder(); }
    std::string RuntimeFolder() const override { return scratch_; }
    std::string ExecutablePath() const override { return saver_path_; }

  private:
    const Folders& system_;
    std::string saver_path_;
    std::string scratch_;
};

// Inspection starts no programs, takes no lock and loads no library.
class InertServices : public Shell, public InstanceLock, public LibraryLoader {
  public:
    bool OpenDocument(const std::string&) override { return false; }
    bool StartHidden(const std::vector<std::string>&) override { return false; }
    std::string DisplayName(const std::string&) const override { return std::string(); }
    bool TryAcquire(const std::string&) override { return true; }
    std::unique_ptr<LoadedLibrary> Load(const std::string&) override { return nullptr; }
};

struct PackageItemRange {
    std::string key;
    int32_t start = 0;
    int32_t end = 0;
    bool not_zip = false;
};

std::vector<PackageItemRange> PackageItemRanges(const IniFile& settings) {
    std::vector<PackageItemRange> items;
    for (const std::string& entry : settings.SectionKeys("zippos")) {
        if (entry.size() < 3 || !(entry.ends_with("_1") || entry.ends_with("_2"))) {
            continue;
        }
        std::string key = entry.substr(0, entry.size() - 2);
        bool known = false;
        for (const PackageItemRange& item : items) {
            known = known || item.key == key;
        }
        if (!known) {
            items.push_back({key, settings.ReadInteger("zippos", key + "_1", 0),
                             settings.ReadInteger("zippos", key + "_2", 0),
                             settings.ReadBool("notzip", key, false)});
        }
    }
    return items;
}

void WriteStrings(JsonWriter& json, const std::vector<std::string>& strings) {
    json.BeginArray();
    for (const std::string& text : strings) {
        json.String(text);
    }
    json.EndArray();
}

void WriteSettings(JsonWriter& json, const TSaverSetting& settings) {
    json.BeginObject();
    for (const SaverSettingKey& key : SaverSettingKeys()) {
        json.Key(key.name);
        std::visit(
            [&](auto member) {
                const auto& field = settings.*member;
                using Field = std::remove_cvref_t<decltype(field)>;
                if constexpr (std::is_same_v<Field, bool>) {
                    json.Bool(field);
                } else if constexpr (std::is_same_v<Field, std::string>) {
                    json.String(field);
                } else {
                    json.Int(field);
                }
            },
            key.field);
    }
    json.EndObject();
}

std::string JsonReport(const SaverProcess& process) {
    JsonWriter json;
    json.BeginObject();
    json.Key("PackagePresent").Bool(process.state.package_present);
    json.Key("ExecutableForm").Bool(process.state.executable_form);
    json.Key("SettingsFile").String(process.folders.settings_file);
    json.Key("SettingsEncoding").String(EncodingName(process.settings_file.Encoding()));
    json.Key("SaverName").String(process.folders.saver_name);
    json.Key("SampleFolder").String(process.folders.sample_folder);
    json.Key("Settings");
    WriteSettings(json, process.settings);
    json.Key("FeedList");
    WriteStrings(json, process.settings.FeedList);
    json.Key("Lists").BeginObject();
    for (const ContentListField& field : ContentListFields()) {
        json.Key(field.section);
        WriteStrings(json, process.settings.*field.list);
    }
    json.EndObject();
    json.Key("PackageItems").BeginArray();
    for (const PackageItemRange& item : PackageItemRanges(process.settings_file)) {
        json.BeginObject();
        json.Key("Key").String(item.key);
        json.Key("Start").Int(item.start);
        json.Key("End").Int(item.end);
        json.Key("NotZip").Bool(item.not_zip);
        json.EndObject();
    }
    json.EndArray();
    json.EndObject();
    return json.Text() + "\n";
}

std::string TextReport(const SaverProcess& process) {
    std::ostringstream out;
    out << "Saver:          " << process.folders.saver_name << "\n";
    out << "Package:        " << (process.state.package_present ? "present" : "none")
        << (process.state.executable_form ? " (runs the show whatever the switch)" : "") << "\n";
    if (!process.package_problem.empty()) {
        out << "Problem:        " << process.package_problem << "\n";
    }
    out << "Settings file:  " << FileNamePart(process.folders.settings_file) << "\n";
    out << "Encoding:       " << EncodingName(process.settings_file.Encoding()) << "\n";
    out << "Sample folder:  " << process.folders.sample_folder << "\n";
    out << "Title:          " << process.settings.ScrName << "\n";
    out << "Feeds:          " << process.settings.FeedList.size() << "\n";
    for (const std::string& feed : process.settings.FeedList) {
        out << "  " << feed << "\n";
    }
    for (const ContentListField& field : ContentListFields()) {
        out << field.section << ": " << (process.settings.*field.list).size() << "\n";
        for (const std::string& item : process.settings.*field.list) {
            out << "  " << item << "\n";
        }
    }
    for (const PackageItemRange& item : PackageItemRanges(process.settings_file)) {
        out << "Package item:   " << item.key << " bytes " << item.start << ".." << item.end
            << (item.not_zip ? " (as it is)" : " (zipped)") << "\n";
    }
    return out.str();
}

}  // namespace

std::string InspectSaver(const std::string& saver_path, const Folders& system_folders,
                         Registry& registry, bool json) {
    if (!FileExists(saver_path)) {
        throw std::runtime_error("cannot read the saver " + saver_path);
    }
    InspectedFolders folders(system_folders, std::filesystem::absolute(saver_path).string());
    InertServices inert;
    Platform platform{registry, folders, inert, inert, inert};
    SaverProcess process(platform);
    process.folders = PrepareFolders(folders, registry);
    LoadSaver(process, FileNamePart(saver_path));
    return json ? JsonReport(process) : TextReport(process);
}

}  // namespace saver
