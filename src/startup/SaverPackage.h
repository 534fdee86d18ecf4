#pragma once

#include "settings/IniFile.h"
#include "settings/PackageItems.h"
#include "startup/LargeFilePlacement.h"
#include "startup/UnzipArchive.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace saver {

// The saver package carried at the end of the running executable, and the package items
// at byte ranges before it. The executable stays open from a successful
// ExtractSaverPackage until the object is destroyed, so items can be copied out later.
class SaverPackage : public PackageItems {
  public:
    struct Result {
        bool package_present = false;
        bool executable_form = false;
        std::string settings_file;  // working folder + package name; empty without one
        std::string problem;        // why a found package could not be unpacked
    };

    SaverPackage() = default;
    ~SaverPackage() override;
    SaverPackage(const SaverPackage&) = delete;
    SaverPackage& operator=(const SaverPackage&) = delete;

    // Finds the package in the last bytes of `executable_path` and unpacks its archive
    // into `working_folder`. Large files unpacked into the working folder, now or later,
    // go to `disk_folder` (LargeFilePlacement) when it is given.
    Result ExtractSaverPackage(const std::string& executable_path,
                               const std::string& working_folder,
                               const std::string& disk_folder = "");

    // The settings file that names the package items ("zippos", "notzip").
    void SetSettingsFile(const IniFile* settings) { settings_ = settings; }

    // From now on only the settings file is unpacked from the package, and package items
    // are not copied out at all: for looking at a saver without unpacking what it carries.
    void UnpackSettingsOnly() { settings_only_ = true; }

    // The entries of the package archive as its directory lists them (after
    // ExtractSaverPackage), whether unpacked or not.
    const std::vector<ZipEntryInfo>& ArchiveEntries() const { return archive_entries_; }

    void ExtractPackageItem(const std::string& key, const std::string& destination,
                            const std::string& target_folder) override;

    // Makes the MPEG audio library available before music plays, when the system folder
    // has none. Only the library itself is unpacked from a zipped item: into the system
    // folder when this process may write there and does not run as root (code that every
    // user of the machine would then load is never placed by root from a saver), else
    // into the private working folder, as an item stored as it is always is.
    void ProvideMpegLibrary(const std::string& system_folder);

    uint64_t ExecutableSize() const { return executable_size_; }

  private:
    // ExtractPackageItem, unpacking from a zipped item what `select` names (UnzipOptions).
    void ExtractItem(const std::string& key, const std::string& destination,
                     const std::string& target_folder,
                     const std::function<std::string(const std::string&)>& select);
    bool CopyRange(uint64_t start, uint64_t end, const std::string& path) const;

    int executable_fd_ = -1;
    uint64_t executable_size_ = 0;
    std::string working_folder_;
    LargeFilePlacement placement_;
    const IniFile* settings_ = nullptr;
    bool settings_only_ = false;
    std::vector<ZipEntryInfo> archive_entries_;
};

// The package item and file name of the MPEG audio library.
inline constexpr const char* kMpegLibraryName = "MPEGDLL.DLL";

}  // namespace saver
