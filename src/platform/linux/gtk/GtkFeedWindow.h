#pragma once

#include <cairo.h>
#include <gtk/gtk.h>

#include <map>

#include "platform/FeedWindow.h"
#include "platform/HostWindow.h"
#include "platform/linux/gtk/WebKitBrowser.h"

namespace saver {

// A feed window on GTK over X11: an override-redirect window (placed exactly, above the
// managed windows, never given the focus by a window manager) holding a web view under a
// black drawing area for the pictures. Its opacity is the _NET_WM_WINDOW_OPACITY that a
// compositing manager applies. In a hosted show the window is a child of the host's
// window, placed in its coordinates (and, no longer a top-level window, opaque).
class GtkFeedWindow : public FeedWindow {
  public:
    // `storage`: the web context of the window's view (the viewer's keeps nothing).
    explicit GtkFeedWindow(const HostWindow& host = {}, WebStorage storage = WebStorage::kShared);
    ~GtkFeedWindow() override;
    GtkFeedWindow(const GtkFeedWindow&) = delete;
    GtkFeedWindow& operator=(const GtkFeedWindow&) = delete;

    Browser& WebBrowser() override { return browser_; }
    void SetBounds(int left, int top, int width, int height) override;
    void SetOpacity(int opacity) override;
    int Opacity() const override { return opacity_; }
    void Show() override;
    void Hide() override;
    bool Visible() const override { return gtk_widget_get_visible(window_); }
    void BringToFront() override;
    void SetPanelVisible(bool visible) override;
    bool PanelVisible() const override { return gtk_widget_get_visible(panel_); }
    void SetBevel(bool raised) override;
    void DrawPicture(int slot, int x, int y, const PixelRows& pixels) override;

  private:
    struct Picture {
        int x = 0;
        int y = 0;
        cairo_surface_t* surface = nullptr;
    };
    static gboolean OnDraw(GtkWidget*, cairo_t* cairo, gpointer self);
    static gboolean OnDrawBevel(GtkWidget* widget, cairo_t* cairo, gpointer self);
    void ApplyOpacity();

    WebKitBrowser browser_;
    GtkWidget* window_;
    GtkWidget* content_;
    GtkWidget* panel_;
    std::map<int, Picture> pictures_;
    int opacity_ = 0;
    bool bevel_ = false;
};

}  // namespace saver
