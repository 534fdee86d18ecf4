#pragma once

#include <cairo.h>
#include <gtk/gtk.h>

#include <map>

#include "platform/FeedWindow.h"
#include "platform/linux/gtk/WebKitBrowser.h"

namespace saver {

// A feed window on GTK: a widget placed in the feed layer of a show window (a GtkFixed
// over the show's page), holding a web view under a black drawing area for the pictures.
// Its opacity is the widget's own, which GTK applies while it draws the show window, so
// it needs no compositor and nothing of X; at opacity 0, or while hidden, the widget is
// not mapped and costs no drawing. Clicks on it stop at it, and it never takes the
// focus from the show.
class GtkFeedWindow : public FeedWindow {
  public:
    // `layer` is the GtkFixed the window lies in; the window is put there hidden.
    explicit GtkFeedWindow(GtkWidget* layer);
    ~GtkFeedWindow() override;
    GtkFeedWindow(const GtkFeedWindow&) = delete;
    GtkFeedWindow& operator=(const GtkFeedWindow&) = delete;

    Browser& WebBrowser() override { return browser_; }
    void SetBounds(int left, int top, int width, int height) override;
    void SetOpacity(int opacity) override;
    int Opacity() const override { return opacity_; }
    void Show() override;
    void Hide() override;
    bool Visible() const override { return shown_; }
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
    // Maps the window while it is shown and not transparent, and unmaps it otherwise.
    void UpdateMapped();

    WebKitBrowser browser_;
    GtkWidget* frame_;  // the window: catches what reaches its bevel too
    GtkWidget* content_;
    GtkWidget* panel_;
    std::map<int, Picture> pictures_;
    int opacity_ = 0;
    bool shown_ = false;
    bool bevel_ = false;
};

}  // namespace saver
