#pragma once

#include <gtk/gtk.h>

#include "platform/HostWindow.h"
#include "platform/WindowSystem.h"
#include "platform/linux/gtk/WebKitBrowser.h"

namespace saver {

// A show window: a web view above the two status panels, and over both a layer for the
// feed windows. Top-level on the first monitor, or filling a cover window when it has
// one as parent, or filling the window of the program that hosts the show (`area` is
// then that window's size).
class GtkShowWindow : public ShowWindow {
  public:
    GtkShowWindow(GtkWidget* parent, const MonitorArea& area, const HostWindow& host = {});
    ~GtkShowWindow() override;
    GtkShowWindow(const GtkShowWindow&) = delete;
    GtkShowWindow& operator=(const GtkShowWindow&) = delete;

    Browser& WebBrowser() override { return browser_; }
    void SetPanelText(ShowPanel panel, const std::string& text) override;
    void SetPanelVisible(ShowPanel panel, bool visible) override;
    void ShowFullScreen() override;
    void SetInputGrabbed(bool grabbed) override;
    void Hide() override;
    bool Visible() const override { return gtk_widget_get_visible(root_); }
    std::unique_ptr<FeedWindow> CreateFeedWindow() override;

  private:
    static gboolean OnMapped(GtkWidget* window, GdkEvent*, gpointer self);
    static gboolean RetryGrab(gpointer self);
    // Grabs the keyboard and pointer once the window is on the screen; while another
    // client holds them, tries again a little later.
    void TryGrab();
    void ReleaseGrab();
    void HideCursorOnScreen(bool hide);
    GtkWidget* PanelLabel(ShowPanel panel) const;

    WebKitBrowser browser_;
    GtkWidget* parent_;  // the cover window, or null for a top-level window
    GtkWidget* root_;    // the top-level window, or the box inside the cover window
    GtkWidget* status_;
    GtkWidget* feed_;
    GtkWidget* feed_layer_;  // a GtkFixed over the whole window
    MonitorArea area_;
    HostWindow host_;
    bool grab_wanted_ = false;
    bool grabbed_ = false;
    guint grab_retry_ = 0;
    bool cursor_hidden_on_screen_ = false;
};

}  // namespace saver
