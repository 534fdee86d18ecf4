#pragma once

#include <gtk/gtk.h>

#include "platform/WindowSystem.h"

namespace saver {

// A black, borderless, keep-above top-level window over one monitor's area. Windows
// placed into it fill it.
class GtkCoverWindow : public CoverWindow {
  public:
    explicit GtkCoverWindow(const MonitorArea& area);
    ~GtkCoverWindow() override;
    GtkCoverWindow(const GtkCoverWindow&) = delete;
    GtkCoverWindow& operator=(const GtkCoverWindow&) = delete;

    GtkWidget* Window() const { return window_; }
    void Hide() override { gtk_widget_hide(window_); }

  private:
    GtkWidget* window_;
};

// Makes `window` black and borderless over `area`, above other windows, without asking
// for the focus. Needs no window manager: the position and size are set directly.
void PlaceBlackWindow(GtkWidget* window, const MonitorArea& area);

// PlaceBlackWindow, and full-screen on that monitor under a window manager; on Wayland
// over that output, above panels (CoverOutput). Call before the window is realised.
void PlaceFullScreen(GtkWidget* window, const MonitorArea& area);

}  // namespace saver
