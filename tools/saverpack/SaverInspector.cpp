#include "SaverInspector.h"

#include "base/Files.h"
#include "base/JsonWriter.h"
#include "platform/InstanceLock.h"
#include "platform/LibraryLoader.h"
#include "platform/Shell.h"
#include "settings/SaverSettingKeys.h"
#include "startup/SaverProcess.h"

#include <algorithm>
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
    std::string CacheFolder() const override { return system_.CacheFolder(); }

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

// The content lists in file order, as start-up builds them before any shuffle.
std::vector<std::pair<std::string_view, ContentList>> ListsInFileOrder(
    const SaverProcess& process) {
    std::vector<std::pair<std::string_view, ContentList>> lists;
    for (const ContentListField& field : ContentListFields()) {
        ContentList list;
        process.content.BuildContentLists(process.settings_file, std::string(field.section), list);
        lists.emplace_back(field.section, std::move(list));
    }
    return lists;
}

std::string JsonReport(const SaverProcess& process) {
    JsonWriter json;
    json.BeginObject();
    json.Key("PackagePresent").Bool(process.state.package_present);
    json.Key("ExecutableForm").Bool(process.state.executable_form);
    json.Key("SettingsFile").String(FileNamePart(process.folders.settings_file));
    json.Key("SettingsEncoding").String(EncodingName(process.settings_file.Encoding()));
    json.Key("SaverName").String(process.folders.saver_name);
    json.Key("SampleFolder").String(process.folders.sample_folder);
    json.Key("Settings");
    WriteSettings(json, process.settings);
    json.Key("FeedList");
    WriteStrings(json, process.settings.FeedList);
    json.Key("Lists").BeginObject();
    for (const auto& [section, list] : ListsInFileOrder(process)) {
        json.Key(section);
        WriteStrings(json, list);
    }
    json.EndObject();
    json.Key("WebPlayOrder");
    WriteStrings(json, process.settings.Web);
    json.Key("PackageEntries").BeginArray();
    for (const ZipEntryInfo& entry : process.package.ArchiveEntries()) {
        json.BeginObject();
        json.Key("Name").String(entry.name);
        json.Key("Size").Int(static_cast<int64_t>(entry.size));
        json.Key("CompressedSize").Int(static_cast<int64_t>(entry.compressed_size));
        json.EndObject();
    }
    json.EndArray();
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

const char* OnOff(bool on) {
    return on ? "on" : "off";
}

std::string SequenceName(uint8_t sequence) {
    const char* names[] = {"Normalize: in file order", "Shuffle: a random page each time",
                           "Intelligent Random: shuffled once, then in that order"};
    return sequence < 3 ? names[sequence]
                        : std::to_string(sequence) + ", taken as 0: in file order";
}

// The report for a person: one label a line, the values in one column.
class TextLines {
  public:
    void Line(std::string_view label, const std::string& value) {
        std::string padded = std::string(label) + ":";
        padded.resize(std::max<size_t>(padded.size() + 1, 18), ' ');
        out_ << padded << value << "\n";
    }
    void Item(const std::string& text) { out_ << std::string(18, ' ') << text << "\n"; }
    std::string Text() const { return out_.str(); }

  private:
    std::ostringstream out_;
};

std::string TextReport(const SaverProcess& process) {
    const TSaverSetting& s = process.settings;
    TextLines out;
    out.Line("Saver", process.folders.saver_name);
    out.Line("Package",
             std::string(process.state.package_present ? "present" : "none") +
                 (process.state.executable_form ? " (runs the show whatever the switch)" : ""));
    if (!process.package_problem.empty()) {
        out.Line("Problem", process.package_problem);
    }
    out.Line("Settings file", FileNamePart(process.folders.settings_file));
    out.Line("Encoding", std::string(EncodingName(process.settings_file.Encoding())));
    out.Line("Sample folder", process.folders.sample_folder);
    out.Line("Title", s.ScrName);
    out.Line("Page interval", std::to_string(s.WebInterval) + " s");
    out.Line("Order", SequenceName(s.WebSequence));
    out.Line("Exit conditions", std::string("keyboard ") + OnOff(s.KeyboardPress) +
                                    ", mouse button " + OnOff(s.MousePress) + ", mouse move " +
                                    OnOff(s.MouseMove) + ", only Esc " + OnOff(s.OnlyEscKeyExit) +
                                    ", cursor shown " + OnOff(s.ShowCursor) + ", system-wide " +
                                    OnOff(s.HookApplete));
    out.Line("Status line", OnOff(s.WebShowStatus));
    out.Line("Offline copies", OnOff(s.WebOfflineCopies));
    out.Line("Feeds", std::string(OnOff(s.UseFeed)) + ", " + std::to_string(s.FeedList.size()) +
                          " in use, " + std::to_string(s.BlogInterval) + " s an item" +
                          (s.RandomFeed ? ", feeds at random" : ", feeds in order"));
    for (const std::string& feed : s.FeedList) {
        const std::string name = feed.substr(0, feed.find(" ["));
        out.Item(feed + "  " + process.settings_file.ReadString("feeds", name));
    }
    out.Line("Background music", std::string(OnOff(s.PlayMusic)) +
                                     (s.RandomMusic ? ", at random" : ", in order") +
                                     (s.LoopMusic ? ", again after the last" : ", once"));
    for (const auto& [section, list] : ListsInFileOrder(process)) {
        out.Line(section, std::to_string(list.size()) + (list.size() == 1 ? " item" : " items"));
        for (const std::string& item : list) {
            out.Item(item.empty() ? "\"\" (an entry without a name)" : item);
        }
    }
    for (const ZipEntryInfo& entry : process.package.ArchiveEntries()) {
        out.Line("Package entry",
                 (entry.name.empty() ? "(a name that leaves the folder: skipped)" : entry.name) +
                     ", " + std::to_string(entry.size) + " bytes (" +
                     std::to_string(entry.compressed_size) + " packed)");
    }
    for (const PackageItemRange& item : PackageItemRanges(process.settings_file)) {
        out.Line("Package item", item.key + " bytes " + std::to_string(item.start) + ".." +
                                     std::to_string(item.end) +
                                     (item.not_zip ? " (as it is)" : " (zipped)"));
    }
    return out.Text();
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
    // The saver's files are listed, not unpacked: only its settings file is read.
    process.package.UnpackSettingsOnly();
    LoadSaver(process, FileNamePart(saver_path));
    return json ? JsonReport(process) : TextReport(process);
}

}  // namespace saver
