#pragma once

#include "platform/SettingsDialogWindow.h"
#include "platform/linux/gtk/GtkHints.h"

#include <gtk/gtk.h>

#include <memory>
#include <vector>

namespace saver {

// The settings dialog on GTK: a fixed-size window whose controls stand at their design
// places in dialog pixels (GTK scales them with the desktop's scale), in the design's
// fonts as fontconfig matches them. Enter is OK wherever the focus is, Esc and the
// window's close button are Cancel.
class GtkSettingsDialog : public SettingsDialogWindow {
  public:
    GtkSettingsDialog();
    ~GtkSettingsDialog() override;
    GtkSettingsDialog(const GtkSettingsDialog&) = delete;
    GtkSettingsDialog& operator=(const GtkSettingsDialog&) = delete;

    int LabelWidth(const DialogLabel& label) override;
    void Run(SettingsDialogControls& controls, SettingsDialogHandler& handler) override;
    void Refresh() override;
    void Close() override;
    void ShowMessage(const std::string& text) override;

  private:
    // A check box of the dialog and the state it shows.
    struct Check {
        GtkSettingsDialog* dialog;
        GtkWidget* button;
        DialogCheckBox SettingsDialogControls::*state;
        bool exit_condition;
    };

    void BuildHeader();
    void ShowHeader();
    void ShowBanner();
    GtkWidget* BuildOptionsPage();
    GtkWidget* BuildExitPage();
    GtkWidget* BuildReadmePage();
    void BuildButtons();
    void ShowPages();
    GtkWidget* AddCheck(GtkWidget* box, const char* caption,
                        DialogCheckBox SettingsDialogControls::*state, bool exit_condition);
    void ShowLabel(GtkWidget* box, GtkWidget* label, const DialogLabel& state);

    static void OnToggled(GtkToggleButton* button, gpointer self);
    static void OnSequence(GtkToggleButton* button, gpointer self);
    static void OnInterval(GtkSpinButton* spin, gpointer self);
    static gboolean OnKey(GtkWidget*, GdkEventKey* event, gpointer self);
    static gboolean OnMapped(GtkWidget* window, GdkEvent*, gpointer self);
    static gboolean FillReadme(gpointer self);
    static gboolean OnDelete(GtkWidget*, GdkEvent*, gpointer self);
    static void OnOk(GtkButton*, gpointer self);
    static void OnCancel(GtkButton*, gpointer self);
    static gboolean OnLabelClick(GtkWidget* box, GdkEventButton* event, gpointer self);
    static gboolean OnBannerClick(GtkWidget*, GdkEventButton* event, gpointer self);
    static gboolean OnHandEnter(GtkWidget*, GdkEvent*, gpointer self);
    static gboolean OnHandLeave(GtkWidget*, GdkEvent*, gpointer self);
    void GiveHandCursor(GtkWidget* box);

    GtkWidget* window_;
    GtkWidget* fixed_ = nullptr;
    GtkWidget* banner_box_;
    GtkWidget* title_label_;
    GtkWidget* author_label_;
    GtkWidget* website_label_;
    GtkWidget* author_box_;
    GtkWidget* website_box_;
    GtkWidget* notebook_ = nullptr;
    GtkWidget* spin_ = nullptr;
    GtkTextBuffer* readme_buffer_ = nullptr;
    // The pending idle call that puts the readme into its page; 0 when there is none.
    guint readme_fill_ = 0;
    std::vector<GtkWidget*> sequence_buttons_;
    std::vector<std::unique_ptr<Check>> checks_;
    GMainLoop* loop_;
    std::unique_ptr<GtkHints> hints_;
    SettingsDialogControls* controls_ = nullptr;
    SettingsDialogHandler* handler_ = nullptr;
    // Set while the controls' states are shown, so that showing them reports nothing.
    bool showing_ = false;
};

}  // namespace saver
