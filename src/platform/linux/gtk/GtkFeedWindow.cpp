#include "platform/linux/gtk/GtkFeedWindow.h"

#include <algorithm>
#include <cstring>

namespace saver {

namespace {

gboolean StopHere(GtkWidget*, GdkEvent*, gpointer) {
    return TRUE;
}

}  // namespace

// The small pages of the feed windows draw in software: they need no accelerated
// surfaces, and a view cut at the show window's bottom edge stays in its place (the
// accelerated drawing through GDK's GL path put it out of place).
GtkFeedWindow::GtkFeedWindow(GtkWidget* layer) : browser_(WebDrawing::Software) {
    frame_ = gtk_event_box_new();
    gtk_widget_add_events(frame_, GDK_SCROLL_MASK);
    // Clicks and the wheel over the window end here, whether the web view or the panel
    // took them first: the page below never sees them.
    for (const char* signal : {"button-press-event", "button-release-event", "scroll-event"}) {
        g_signal_connect(frame_, signal, G_CALLBACK(StopHere), nullptr);
    }
    content_ = gtk_overlay_new();
    panel_ = gtk_drawing_area_new();
    g_signal_connect(panel_, "draw", G_CALLBACK(OnDraw), this);
    // After the frame's own drawing: the bevel lies in the margin its content leaves free.
    g_signal_connect_after(frame_, "draw", G_CALLBACK(OnDrawBevel), this);
    GtkWidget* view = browser_.Widget();
    // The show keeps the keyboard focus, also when the window is clicked.
    gtk_widget_set_can_focus(view, FALSE);
    gtk_container_add(GTK_CONTAINER(content_), view);
    gtk_overlay_add_overlay(GTK_OVERLAY(content_), panel_);
    gtk_container_add(GTK_CONTAINER(frame_), content_);
    gtk_widget_show(panel_);
    gtk_widget_show(content_);
    g_object_ref_sink(frame_);
    gtk_fixed_put(GTK_FIXED(layer), frame_, 0, 0);
    SetPanelVisible(true);
    SetOpacity(0);
}

GtkFeedWindow::~GtkFeedWindow() {
    // Takes the window out of its layer, if the show window still holds it.
    gtk_widget_destroy(frame_);
    g_object_unref(frame_);
    for (auto& [slot, picture] : pictures_) {
        cairo_surface_destroy(picture.surface);
    }
}

void GtkFeedWindow::SetBounds(int left, int top, int width, int height) {
    if (GtkWidget* layer = gtk_widget_get_parent(frame_)) {
        gtk_fixed_move(GTK_FIXED(layer), frame_, left, top);
    }
    gtk_widget_set_size_request(frame_, width, height);
}

void GtkFeedWindow::SetOpacity(int opacity) {
    opacity_ = std::clamp(opacity, 0, 255);
    gtk_widget_set_opacity(frame_, opacity_ / 255.0);
    UpdateMapped();
}

void GtkFeedWindow::Show() {
    shown_ = true;
    UpdateMapped();
}

void GtkFeedWindow::Hide() {
    shown_ = false;
    UpdateMapped();
}

void GtkFeedWindow::UpdateMapped() {
    gtk_widget_set_visible(frame_, shown_ && opacity_ > 0);
}

void GtkFeedWindow::BringToFront() {
    // The layer draws its children in the order of their windows, and a window not yet
    // made comes on top when it is.
    if (GdkWindow* window = gtk_widget_get_window(frame_);
        window && gtk_widget_get_realized(frame_)) {
        gdk_window_raise(window);
    }
}

void GtkFeedWindow::SetPanelVisible(bool visible) {
    gtk_widget_set_visible(panel_, visible);
    // The web view under the panel would be drawn for nothing at every frame of the
    // panel's pictures.
    gtk_widget_set_visible(browser_.Widget(), !visible);
}

void GtkFeedWindow::SetBevel(bool raised) {
    bevel_ = raised;
    const int margin = raised ? 1 : 0;
    gtk_widget_set_margin_start(content_, margin);
    gtk_widget_set_margin_end(content_, margin);
    gtk_widget_set_margin_top(content_, margin);
    gtk_widget_set_margin_bottom(content_, margin);
    gtk_widget_queue_draw(frame_);
}

void GtkFeedWindow::DrawPicture(int slot, int x, int y, const PixelRows& pixels) {
    Picture& picture = pictures_[slot];
    if (!picture.surface || cairo_image_surface_get_width(picture.surface) != pixels.width ||
        cairo_image_surface_get_height(picture.surface) != pixels.height) {
        if (picture.surface) {
            cairo_surface_destroy(picture.surface);
        }
        picture.surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, std::max(pixels.width, 1),
                                                     std::max(pixels.height, 1));
    }
    picture.x = x;
    picture.y = y;
    cairo_surface_flush(picture.surface);
    unsigned char* target = cairo_image_surface_get_data(picture.surface);
    const int target_stride = cairo_image_surface_get_stride(picture.surface);
    for (int row = 0; row < pixels.height && pixels.data; ++row) {
        const uint8_t* from = pixels.data + static_cast<ptrdiff_t>(row) * pixels.stride;
        auto* to =
            reinterpret_cast<uint32_t*>(target + static_cast<ptrdiff_t>(row) * target_stride);
        for (int column = 0; column < pixels.width; ++column) {
            const uint8_t* bgr = from + column * 3;
            to[column] = (uint32_t{bgr[2]} << 16) | (uint32_t{bgr[1]} << 8) | bgr[0];
        }
    }
    cairo_surface_mark_dirty(picture.surface);
    gtk_widget_queue_draw_area(panel_, x, y, pixels.width, pixels.height);
}

gboolean GtkFeedWindow::OnDraw(GtkWidget*, cairo_t* cairo, gpointer self) {
    auto* window = static_cast<GtkFeedWindow*>(self);
    cairo_set_source_rgb(cairo, 0, 0, 0);
    cairo_paint(cairo);
    for (const auto& [slot, picture] : window->pictures_) {
        cairo_set_source_surface(cairo, picture.surface, picture.x, picture.y);
        cairo_paint(cairo);
    }
    return TRUE;
}

gboolean GtkFeedWindow::OnDrawBevel(GtkWidget* widget, cairo_t* cairo, gpointer self) {
    if (!static_cast<GtkFeedWindow*>(self)->bevel_) {
        return FALSE;
    }
    const int width = gtk_widget_get_allocated_width(widget);
    const int height = gtk_widget_get_allocated_height(widget);
    cairo_set_source_rgb(cairo, 1, 1, 1);  // light: the button face's highlight
    cairo_rectangle(cairo, 0, 0, width, 1);
    cairo_rectangle(cairo, 0, 0, 1, height);
    cairo_fill(cairo);
    cairo_set_source_rgb(cairo, 160 / 255.0, 160 / 255.0, 160 / 255.0);  // its shadow
    cairo_rectangle(cairo, 0, height - 1, width, 1);
    cairo_rectangle(cairo, width - 1, 0, 1, height);
    cairo_fill(cairo);
    return FALSE;
}

}  // namespace saver
