#include "settings/dialog/TDistributeConfigForm.h"

#include "base/Text.h"
#include "settings/RegistryOverrides.h"
#include "settings/SaverSettingKeys.h"
#include "settings/SaverSettingsFile.h"
#include "settings/dialog/ReadmeText.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace saver {

namespace {

// Both header labels end at this x, as if right-aligned in the header frame.
constexpr int kLabelRight = 476;
// The web-site label shows at most this many characters of an address.
constexpr size_t kWebsiteShown = 100;
constexpr std::string_view kHttp = "http://";
constexpr int kHintPauseMs = 100;

}  // namespace

TDistributeConfigForm::TDistributeConfigForm(SettingsDialogEnvironment environment,
                                             SettingsDialogWindow& window)
    : environment_(std::move(environment)), window_(window) {}

void TDistributeConfigForm::Run() {
    FormShow();
    window_.Run(controls_, *this);
}

void TDistributeConfigForm::FormShow() {
    const TSaverSetting& settings = environment_.settings;
    controls_.page = dpOptions;
    controls_.author.text = settings.Author;
    controls_.website.text = settings.Website;
    controls_.caption += " - " + settings.ScrName;
    controls_.title = settings.ScrName;
    // The readme may be a large package item, unpacked when resolved: it is read once the
    // dialog is on the screen, unless the pages to show depend on whether there is one.
    if (settings.NoUserSetting) {
        ShowReadme();
    }
    ShowSettings();
    HidePagesForNoUserSetting();
    controls_.hint_pause_ms = kHintPauseMs;
    ShowWebsite();
    ShowEmail();
    ShowBanner();
    for (DialogLabel* label : {&controls_.author, &controls_.website}) {
        label->left = kLabelRight - window_.LabelWidth(*label);
    }
}

void TDistributeConfigForm::DialogShown() {
    if (!readme_read_) {
        ShowReadme();
    }
}

void TDistributeConfigForm::ShowReadme() {
    readme_read_ = true;
    std::string readme;
    if (!environment_.package_present) {
        readme = environment_.sample_folder + "readme.txt";
    } else {
        readme = "readme.txt";
        if (!environment_.resolve(readme)) {
            return;
        }
    }
    // A missing file reads as empty, which leaves the page empty.
    controls_.readme = ReadReadme(readme);
}

void TDistributeConfigForm::ShowSettings() {
    const TSaverSetting& settings = environment_.settings;
    // Other values check no sequence button.
    controls_.sequence = settings.WebSequence <= 2 ? settings.WebSequence : -1;
    controls_.interval_low = kIntervalRange.low;
    controls_.interval_high = kIntervalRange.high;
    controls_.interval =
        std::clamp(settings.WebInterval, controls_.interval_low, controls_.interval_high);
    controls_.web_status.checked = settings.WebShowStatus;
    controls_.web_last_page.checked = settings.WebLastPage;
    controls_.rss.visible = !settings.FeedList.empty();
    controls_.rss.checked = settings.UseFeed;
    // Hidden, the music box keeps its checked design state, which OK then stores.
    controls_.play_music.visible = !settings.Music.empty();
    if (controls_.play_music.visible) {
        controls_.play_music.checked = settings.PlayMusic;
    }
    controls_.mouse_move.checked = settings.MouseMove;
    controls_.mouse_press.checked = settings.MousePress;
    controls_.keyboard.checked = settings.KeyboardPress;
    controls_.show_cursor.checked = settings.ShowCursor;
    controls_.esc_key.checked = settings.OnlyEscKeyExit;
    ShowCursorCheckClick();
}

void TDistributeConfigForm::HidePagesForNoUserSetting() {
    if (!environment_.settings.NoUserSetting) {
        return;
    }
    controls_.tab_visible[dpOptions] = false;
    controls_.tab_visible[dpExitConditions] = false;
    controls_.tab_visible[dpReadme] = !controls_.readme.empty();
    controls_.page = dpReadme;
}

void TDistributeConfigForm::ShowWebsite() {
    DialogLabel& website = controls_.website;
    website.hint = website.text;
    if (EqualsNoCase(std::string_view(website.text).substr(0, kHttp.size()), kHttp)) {
        website.text = website.text.substr(kHttp.size(), kWebsiteShown);
    }
}

void TDistributeConfigForm::ShowEmail() {
    const TSaverSetting& settings = environment_.settings;
    DialogLabel& author = controls_.author;
    DialogLabel& website = controls_.website;
    if (!settings.ScrEmail.empty() && !settings.Website.empty()) {
        author.link = website.link;
        author.hint = "mailto:" + settings.ScrEmail;
    } else if (!settings.ScrEmail.empty()) {
        website.hint = "mailto:" + settings.ScrEmail;
        website.text = settings.ScrEmail;
    } else if (settings.Website.empty()) {
        author.top = website.top;
    }
}

void TDistributeConfigForm::ShowBanner() {
    const TSaverSetting& settings = environment_.settings;
    DialogBanner& banner = controls_.banner;
    std::string image = settings.Build_BannerImage;
    if (!environment_.resolve(image) || !settings.Build_UseBanner) {
        banner.visible = false;
        return;
    }
    std::optional<Picture> picture = environment_.load_picture(image);
    if (!picture) {
        banner.visible = false;
        return;
    }
    banner.width = picture->width;
    banner.height = picture->height;
    banner.rgb = std::move(picture->rgb);
    banner.in_front = settings.Build_HideTitle;
    banner.hint = settings.Build_BannerTips;
    banner.visible = true;
    banner.hand_cursor = !settings.Build_BannerURL.empty();
}

void TDistributeConfigForm::ShowCursorCheckClick() {
    const bool enabled = !controls_.show_cursor.checked && !controls_.esc_key.checked;
    for (DialogCheckBox* box :
         {&controls_.mouse_move, &controls_.mouse_press, &controls_.keyboard}) {
        box->enabled = enabled;
    }
    window_.Refresh();
}

void TDistributeConfigForm::StoreSettings() {
    TSaverSetting& settings = environment_.settings;
    // Disabled boxes count with their checked state.
    settings.MouseMove = controls_.mouse_move.checked;
    settings.MousePress = controls_.mouse_press.checked;
    settings.KeyboardPress = controls_.keyboard.checked;
    settings.ShowCursor = controls_.show_cursor.checked;
    settings.OnlyEscKeyExit = controls_.esc_key.checked;
    settings.WebSequence = controls_.sequence == 0 ? 0 : controls_.sequence == 1 ? 1 : 2;
    settings.WebInterval =
        std::clamp(controls_.interval, controls_.interval_low, controls_.interval_high);
    settings.WebShowStatus = controls_.web_status.checked;
    settings.WebLastPage = controls_.web_last_page.checked;
    settings.PlayMusic = controls_.play_music.checked;
    settings.UseFeed = controls_.rss.checked;
}

// Stores the settings, and when something could not be stored says what and why
// instead of closing as if all went well.
void TDistributeConfigForm::SaveAndTell() {
    errno = 0;
    const bool file_saved = SaveSaverSettings(environment_.settings, environment_.settings_file,
                                              environment_.settings_path);
    const std::string file_error = errno != 0 ? std::strerror(errno) : "unknown error";
    const bool registry_saved =
        !environment_.package_present ||
        SaveRegistryOverrides(environment_.registry, environment_.registry_key,
                              environment_.settings);
    if (file_saved && registry_saved) {
        return;
    }
    std::string message;
    if (!file_saved) {
        message = "The settings file \"" + environment_.settings_path + "\" cannot be written (" +
                  file_error + "); it is left as it was.";
    }
    if (!registry_saved) {
        message += (message.empty() ? "" : "\n\n") +
                   std::string("The settings could not be stored in the user settings key \"") +
                   environment_.registry_key + "\".";
    } else if (environment_.package_present) {
        message +=
            "\n\nYour choices are stored in your user settings and apply the next time "
            "the saver starts.";
    }
    window_.ShowMessage(message);
}

void TDistributeConfigForm::_BtnOKClick() {
    StoreSettings();
    SaveAndTell();
    window_.Close();
}

void TDistributeConfigForm::Button1Click() {
    window_.Close();
}

void TDistributeConfigForm::_TextWebsiteClick(const DialogLabel& label) {
    if (!label.hint.empty()) {
        environment_.shell.OpenDocument(label.hint);
    }
}

void TDistributeConfigForm::BannerImageClick() {
    std::string address = environment_.settings.Build_BannerURL;
    if (address.empty()) {
        return;
    }
    if (address.find("://") == std::string::npos) {
        address = std::string(kHttp) + address;
    }
    environment_.shell.OpenDocument(address);
}

}  // namespace saver
