#pragma once

#include <gtk/gtk.h>

#include <cstdint>

#include "show/PreviewDesign.h"

namespace saver {

// The preview window: a still picture inside the X window the display settings lend
// (reparented into it and a little larger than it), or an ordinary top-level window at
// its design position when there is none.
class GtkPreviewWindow {
  public:
    GtkPreviewWindow(const PreviewDesign& design, uint64_t parent);
    ~GtkPreviewWindow();
    GtkPreviewWindow(const GtkPreviewWindow&) = delete;
    GtkPreviewWindow& operator=(const GtkPreviewWindow&) = delete;

    // Runs until the window is closed or its parent window goes away.
    void Run();

  private:
    static gboolean OnDraw(GtkWidget*, cairo_t* cairo, gpointer self);
    static gboolean OnGone(GtkWidget*, GdkEvent*, gpointer self);
    static GdkFilterReturn OnXEvent(GdkXEvent* xevent, GdkEvent*, gpointer self);
    void Reparent(uint64_t parent);
    void DrawArtwork(cairo_t* cairo) const;
    void DrawLabel(cairo_t* cairo) const;
    void DrawPicture(cairo_t* cairo) const;

    PreviewDesign design_;
    GtkWidget* window_;
    GMainLoop* loop_;
};

}  // namespace saver
