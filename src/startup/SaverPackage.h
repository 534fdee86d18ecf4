#pragma once

#include "settings/IniFile.h"
#include "settings/PackageItems.h"
#include "startup/LargeFilePlacement.h"

#include <cstdint>
#include <string>

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

    void ExtractPackageItem(const std::string& key, const std::string& destination,
                            const std::string& target_folder) override;

    // Makes the MPEG audio library available in the system folder before music plays.
    void ProvideMpegLibrary(const std::string& system_folder);

    uint64_t ExecutableSize() const { return executable_size_; }

  private:
    bool CopyRange(uint64_t start, uint64_t end, const std::string& path) const;

    int executable_fd_ = -1;
    uint64_t executable_size_ = 0;
    std::string working_folder_;
    LargeFilePlacement placement_;
    const IniFile* settings_ = nullptr;
};

}  // namespace saver
