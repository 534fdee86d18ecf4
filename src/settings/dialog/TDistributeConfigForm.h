#pragma once

#include "pictures/Picture.h"
#include "platform/Registry.h"
#include "platform/SettingsDialogWindow.h"
#include "platform/Shell.h"
#include "settings/IniFile.h"
#include "settings/TSaverSetting.h"

#include <functional>
#include <optional>
#include <string>

namespace saver {

// What the settings dialog works on: the process's settings and where they are stored.
struct SettingsDialogEnvironment {
    TSaverSetting& settings;
    IniFile& settings_file;
    std::string settings_path;
    bool package_present = false;
    // The sample folder (ends with "/"), where a saver without package keeps its readme.
    std::string sample_folder;
    // Content resolution: changes the item into a path or an address, true when available.
    std::function<bool(std::string&)> resolve;
    std::function<std::optional<Picture>(const std::string&)> load_picture;
    Registry& registry;
    // The user settings key, written on OK when a package is present.
    std::string registry_key;
    Shell& shell;
};

// The settings dialog: fills its controls from the settings, keeps the exit conditions
// consistent, and on OK stores the user's choices in the settings file and, for a saver
// with a package, in the user settings key.
class TDistributeConfigForm : public SettingsDialogHandler {
  public:
    TDistributeConfigForm(SettingsDialogEnvironment environment, SettingsDialogWindow& window);

    // Fills the controls and runs the dialog until it closes.
    void Run();

    // Fills the controls from the settings record and the content lists.
    void FormShow();

    void ShowCursorCheckClick() override;
    void _BtnOKClick() override;
    void Button1Click() override;
    void _TextWebsiteClick(const DialogLabel& label) override;
    void BannerImageClick() override;
    // Reads the readme, unless FormShow needed it already.
    void DialogShown() override;

    const SettingsDialogControls& Controls() const { return controls_; }
    SettingsDialogControls& Controls() { return controls_; }

  private:
    void ShowReadme();
    void ShowSettings();
    void HidePagesForNoUserSetting();
    void ShowWebsite();
    void ShowEmail();
    void ShowBanner();
    void StoreSettings();
    void SaveAndTell();

    SettingsDialogEnvironment environment_;
    SettingsDialogWindow& window_;
    SettingsDialogControls controls_;
    bool readme_read_ = false;
};

}  // namespace saver
