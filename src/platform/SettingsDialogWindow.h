#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace saver {

// The settings dialog's pages, in the order of their tabs.
enum DialogPage : int { dpOptions = 0, dpExitConditions = 1, dpReadme = 2 };

// A text label of the dialog's header, in dialog pixels.
struct DialogLabel {
    std::string text{};
    // Shown as the label's hint when not empty; a click on a link opens it.
    std::string hint{};
    int left = 0;
    int top = 0;
    // Underlined with the hand cursor, and a click on it is reported to the handler.
    bool link = false;
};

struct DialogCheckBox {
    bool visible = true;
    bool enabled = true;
    bool checked = false;
};

// The banner picture over the header frame, stretched to the frame's size.
struct DialogBanner {
    bool visible = false;
    // Drawn over the title and the labels instead of under them.
    bool in_front = false;
    bool hand_cursor = false;
    std::string hint{};
    // width x height pixels of 3 bytes (red, green, blue), the top row first.
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgb;
};

// Every state of the dialog's controls that can change, as plain data. The window shows
// it; the user's changes of check boxes, radio buttons and the interval are written back
// into it as they happen, before the handler hears of them.
struct SettingsDialogControls {
    std::string caption = "Web Saver Setting";
    std::string title;
    DialogLabel author{.top = 30};
    DialogLabel website{.top = 50, .link = true};
    DialogBanner banner;

    std::array<bool, 3> tab_visible{true, true, true};
    int page = dpOptions;
    std::string readme;

    // The checked sequence button: 0 in list order, 1 at random, 2 shuffled once, -1 none.
    int sequence = 2;
    DialogCheckBox web_last_page{.checked = true};
    DialogCheckBox web_status{.checked = true};
    DialogCheckBox play_music{.checked = true};
    DialogCheckBox rss;
    int interval = 1;
    int interval_low = 1;
    int interval_high = 10000;

    DialogCheckBox mouse_move;
    DialogCheckBox mouse_press;
    DialogCheckBox keyboard;
    DialogCheckBox show_cursor;
    DialogCheckBox esc_key;

    // How long the pointer rests on a control before its hint shows.
    int hint_pause_ms = 500;
};

// What the dialog reports. Called on the user-interface thread, from inside Run.
class SettingsDialogHandler {
  public:
    virtual ~SettingsDialogHandler() = default;
    // One of the five exit-condition check boxes was clicked.
    virtual void ShowCursorCheckClick() = 0;
    // OK: the Enter key or the button.
    virtual void _BtnOKClick() = 0;
    // Cancel: the button, the Esc key, the window's close button or its menu.
    virtual void Button1Click() = 0;
    // A link label was clicked.
    virtual void _TextWebsiteClick(const DialogLabel& label) = 0;
    virtual void BannerImageClick() = 0;
    // The dialog is on the screen, once: the window shows the readme after this call.
    virtual void DialogShown() = 0;
};

// The settings dialog's window: a fixed-size dialog of 503 x 351 dialog pixels, centred
// on the screen. Every call comes on the user-interface thread.
class SettingsDialogWindow {
  public:
    virtual ~SettingsDialogWindow() = default;
    // The width in dialog pixels that `label`'s text takes in its font.
    virtual int LabelWidth(const DialogLabel& label) = 0;
    // Shows the dialog with `controls` and returns when Close was called. Both references
    // are used until then. Once the dialog is on the screen it calls the handler's
    // DialogShown and then shows `controls.readme`.
    virtual void Run(SettingsDialogControls& controls, SettingsDialogHandler& handler) = 0;
    // Shows the controls' enabled states again after the handler changed them.
    virtual void Refresh() = 0;
    // Ends Run; the dialog goes away.
    virtual void Close() = 0;
    // A message box over the dialog that waits until the user closes it.
    virtual void ShowMessage(const std::string& text) = 0;
};

}  // namespace saver
