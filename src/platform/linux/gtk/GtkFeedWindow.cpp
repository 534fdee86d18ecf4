#include "platform/linux/gtk/GtkFeedWindow.h"

#include <algorithm>
#include <cstring>

#include "platform/linux/gtk/ForeignWindow.h"

namespace saver {

GtkFeedWindow::GtkFeedWindow(const HostWindow& host, WebStorage storage) : browser_(storage) {
    window_ = gtk_window_new(GTK_WINDOW_POPUP);
    gtk_window_set_title(GTK_WINDOW(window_), "feed");
    gtk_window_set_accept_focus(GTK_WINDOW(window_), FALSE);
    gtk_window_set_focus_on_map(GTK_WINDOW(window_), FALSE);
    gtk_window_set_keep_above(GTK_WINDOW(window_), TRUE);
    gtk_window_set_type_hint(GTK_WINDOW(window_), GDK_WINDOW_TYPE_HINT_NOTIFICATION);
    content_ = gtk_overlay_new();
    panel_ = gtk_drawing_area_new();
    g_signal_connect(panel_, "draw", G_CALLBACK(OnDraw), this);
    // After the window's own drawing: the bevel lies in the margin its content leaves free.
    g_signal_connect_after(window_, "draw", G_CALLBACK(OnDrawBevel), this);
    gtk_container_add(GTK_CONTAINER(content_), browser_.Widget());
    gtk_overlay_add_overlay(GTK_OVERLAY(content_), panel_);
    gtk_container_add(GTK_CONTAINER(window_), content_);
    gtk_widget_show(browser_.Widget());
    gtk_widget_show(panel_);
    gtk_widget_show(content_);
    g_object_ref_sink(window_);
    SetOpacity(0);
    if (host.hosted) {
        ReparentInto(window_, host.window);
    }
}

GtkFeedWindow::~GtkFeedWindow() {
    gtk_widget_destroy(window_);
    g_object_unref(window_);
    for (auto& [slot, picture] : pictures_) {
        cairo_surface_destroy(picture.surface);
    }
}

void GtkFeedWindow::SetBounds(int left, int top, int width, int height) {
    gtk_window_move(GTK_WINDOW(window_), left, top);
    gtk_widget_set_size_request(window_, width, height);
    gtk_window_resize(GTK_WINDOW(window_), width, height);
}

void GtkFeedWindow::SetOpacity(int opacity) {
    opacity_ = std::clamp(opacity, 0, 255);
    gtk_widget_set_opacity(window_, opacity_ / 255.0);
    ApplyOpacity();
}

void GtkFeedWindow::ApplyOpacity() {
    // GTK hands a toplevel's opacity to the X window only when it changes after the
    // window was realized; an opacity set before, such as the 0 of a viewer that is
    // never to be seen, would leave the window opaque. It is given to the X window here.
    if (GdkWindow* gdk_window = gtk_widget_get_window(window_)) {
        gdk_window_set_opacity(gdk_window, opacity_ / 255.0);
    }
}

void GtkFeedWindow::Show() {
    gtk_widget_realize(window_);
    ApplyOpacity();
    gtk_widget_show(window_);
}

void GtkFeedWindow::Hide() {
    gtk_widget_hide(window_);
}

void GtkFeedWindow::BringToFront() {
    if (GdkWindow* gdk_window = gtk_widget_get_window(window_)) {
        gdk_window_raise(gdk_window);
    }
}

void GtkFeedWindow::SetPanelVisible(bool visible) {
    gtk_widget_set_visible(panel_, visible);
}

void GtkFeedWindow::SetBevel(bool raised) {
    bevel_ = raised;
    const int margin = raised ? 1 : 0;
    gtk_widget_set_margin_start(content_, margin);
    gtk_widget_set_margin_end(content_, margin);
    gtk_widget_set_margin_top(content_, margin);
    gtk_widget_set_margin_bottom(content_, margin);
    gtk_widget_queue_draw(window_);
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
