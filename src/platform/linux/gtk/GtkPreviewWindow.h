#pragma once

#include <gtk/gtk.h>

#include <cstdint>

#include "platform/PreviewWindow.h"

namespace saver {

// The preview window: a still picture inside the X window the display settings lend
// (reparented into it and a little larger than it), or an ordinary top-level window at
// its design position when there is none.
class GtkPreviewWindow : public PreviewWindow {
  public:
    void Run(const PreviewDrawing& drawing, uint64_t parent) override;

  private:
    static gboolean OnDraw(GtkWidget*, cairo_t* cairo, gpointer self);
    static gboolean OnGone(GtkWidget*, GdkEvent*, gpointer self);
    static GdkFilterReturn OnXEvent(GdkXEvent* xevent, GdkEvent*, gpointer self);
    void Reparent(uint64_t parent);
    void DrawArtwork(cairo_t* cairo) const;
    void DrawLabel(cairo_t* cairo) const;
    void DrawPicture(cairo_t* cairo) const;

    const PreviewDrawing* drawing_ = nullptr;
    GtkWidget* window_ = nullptr;
    GMainLoop* loop_ = nullptr;
};

}  // namespace saver
