#include "platform/linux/gtk/GtkPreviewWindow.h"

#include "platform/linux/gtk/ForeignWindow.h"

#include <X11/Xlib.h>
#include <gdk/gdkx.h>

namespace saver {
namespace {

cairo_surface_t* SurfaceOf(const PreviewDrawing& picture) {
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, picture.picture_width,
                                                          picture.picture_height);
    cairo_surface_flush(surface);
    unsigned char* pixels = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    for (int y = 0; y < picture.picture_height; ++y) {
        auto* row = reinterpret_cast<uint32_t*>(pixels + static_cast<size_t>(y) * stride);
        for (int x = 0; x < picture.picture_width; ++x) {
            const uint8_t* rgb =
                &picture.picture_rgb[(static_cast<size_t>(y) * picture.picture_width + x) * 3];
            row[x] =
                static_cast<uint32_t>(rgb[0]) << 16 | static_cast<uint32_t>(rgb[1]) << 8 | rgb[2];
        }
    }
    cairo_surface_mark_dirty(surface);
    return surface;
}

}  // namespace

void GtkPreviewWindow::Reparent(uint64_t parent) {
    const std::optional<MonitorArea> area = ForeignWindowArea(parent);
    if (!area) {
        return;  // no such window: an ordinary window it is
    }
    // A child window has no frame.
    gtk_window_set_decorated(GTK_WINDOW(window_), FALSE);
    gtk_window_resize(GTK_WINDOW(window_), area->width + drawing_->parent_overhang,
                      area->height + drawing_->parent_overhang);
    ReparentInto(window_, parent);
    gdk_window_add_filter(gtk_widget_get_window(window_), OnXEvent, this);
}

// The X window is destroyed together with the parent that the display settings lent.
// GDK would take that for a fault and warn; the preview just ends.
GdkFilterReturn GtkPreviewWindow::OnXEvent(GdkXEvent* xevent, GdkEvent*, gpointer self) {
    auto* preview = static_cast<GtkPreviewWindow*>(self);
    const auto* event = static_cast<const XEvent*>(xevent);
    GdkWindow* window = gtk_widget_get_window(preview->window_);
    if (event->type != DestroyNotify || window == nullptr ||
        event->xdestroywindow.window != gdk_x11_window_get_xid(window)) {
        return GDK_FILTER_CONTINUE;
    }
    g_main_loop_quit(preview->loop_);
    return GDK_FILTER_REMOVE;
}

void GtkPreviewWindow::Run(const PreviewDrawing& drawing, uint64_t parent) {
    drawing_ = &drawing;
    window_ = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    loop_ = g_main_loop_new(nullptr, FALSE);
    g_object_ref_sink(window_);
    gtk_window_set_title(GTK_WINDOW(window_), "preview");
    gtk_window_set_skip_taskbar_hint(GTK_WINDOW(window_), TRUE);
    gtk_window_set_default_size(GTK_WINDOW(window_), drawing.window.width, drawing.window.height);
    gtk_widget_set_app_paintable(window_, TRUE);
    g_signal_connect(window_, "draw", G_CALLBACK(OnDraw), this);
    g_signal_connect(window_, "delete-event", G_CALLBACK(OnGone), this);
    g_signal_connect(window_, "destroy-event", G_CALLBACK(OnGone), this);
    if (parent != 0) {
        Reparent(parent);
    } else {
        gtk_window_move(GTK_WINDOW(window_), drawing.window.left, drawing.window.top);
    }
    gtk_widget_show(window_);
    g_main_loop_run(loop_);
    GdkDisplay* display = gdk_display_get_default();
    if (GdkWindow* window = gtk_widget_get_window(window_)) {
        gdk_window_remove_filter(window, OnXEvent, this);
    }
    // A window that went with its parent is destroyed once more on our side; the X
    // server's complaint about the unknown window is expected then.
    gdk_x11_display_error_trap_push(display);
    gtk_widget_destroy(window_);
    gdk_x11_display_error_trap_pop_ignored(display);
    g_object_unref(window_);
    g_main_loop_unref(loop_);
    window_ = nullptr;
    loop_ = nullptr;
    drawing_ = nullptr;
}

gboolean GtkPreviewWindow::OnGone(GtkWidget*, GdkEvent*, gpointer self) {
    g_main_loop_quit(static_cast<GtkPreviewWindow*>(self)->loop_);
    return TRUE;
}

gboolean GtkPreviewWindow::OnDraw(GtkWidget*, cairo_t* cairo, gpointer self) {
    auto* preview = static_cast<GtkPreviewWindow*>(self);
    cairo_set_source_rgb(cairo, 0, 0, 0);
    cairo_paint(cairo);
    preview->DrawPicture(cairo);
    if (preview->drawing_->artwork) {
        preview->DrawArtwork(cairo);
    }
    preview->DrawLabel(cairo);
    return TRUE;
}

void GtkPreviewWindow::DrawPicture(cairo_t* cairo) const {
    const PreviewDrawing& drawing = *drawing_;
    if (drawing.picture_rgb.empty()) {
        return;
    }
    cairo_surface_t* surface = SurfaceOf(drawing);
    cairo_save(cairo);
    cairo_translate(cairo, drawing.picture_box.left, drawing.picture_box.top);
    cairo_scale(cairo, static_cast<double>(drawing.picture_box.width) / drawing.picture_width,
                static_cast<double>(drawing.picture_box.height) / drawing.picture_height);
    cairo_set_source_surface(cairo, surface, 0, 0);
    cairo_paint(cairo);
    cairo_restore(cairo);
    cairo_surface_destroy(surface);
}

// The built-in artwork: a night sky over a glowing horizon, crossed by the arcs of a
// globe's meridians, the web the saver shows.
void GtkPreviewWindow::DrawArtwork(cairo_t* cairo) const {
    const PreviewBox& box = drawing_->artwork_box;
    // The arcs reach beyond the picture, which ends at its own edges.
    cairo_save(cairo);
    cairo_translate(cairo, box.left, box.top);
    cairo_rectangle(cairo, 0, 0, box.width, box.height);
    cairo_clip(cairo);
    cairo_pattern_t* sky = cairo_pattern_create_linear(0, 0, 0, box.height);
    cairo_pattern_add_color_stop_rgb(sky, 0, 0.02, 0.03, 0.12);
    cairo_pattern_add_color_stop_rgb(sky, 0.7, 0.05, 0.20, 0.38);
    cairo_pattern_add_color_stop_rgb(sky, 1, 0.10, 0.55, 0.60);
    cairo_rectangle(cairo, 0, 0, box.width, box.height);
    cairo_set_source(cairo, sky);
    cairo_fill(cairo);
    cairo_pattern_destroy(sky);
    cairo_set_line_width(cairo, 1);
    const double cx = box.width / 2.0;
    const double cy = box.height * 1.15;
    for (int ring = 1; ring <= 5; ++ring) {
        cairo_set_source_rgba(cairo, 0.4, 0.9, 1.0, 0.12 + 0.05 * ring);
        cairo_save(cairo);
        cairo_translate(cairo, cx, cy);
        cairo_scale(cairo, 1.0, 0.55);
        cairo_arc(cairo, 0, 0, 22.0 * ring + 20, 3.14159, 2 * 3.14159);
        cairo_restore(cairo);
        cairo_stroke(cairo);
    }
    for (int meridian = -3; meridian <= 3; ++meridian) {
        cairo_set_source_rgba(cairo, 0.4, 0.9, 1.0, 0.25);
        cairo_move_to(cairo, cx, cy - 130);
        cairo_curve_to(cairo, cx + meridian * 40, cy - 90, cx + meridian * 45, cy - 40,
                       cx + meridian * 30, cy);
        cairo_stroke(cairo);
    }
    cairo_restore(cairo);
}

void GtkPreviewWindow::DrawLabel(cairo_t* cairo) const {
    const PreviewDrawing& drawing = *drawing_;
    if (drawing.label.empty()) {
        return;
    }
    const PreviewBox& box = drawing.label_box;
    PangoLayout* layout = pango_cairo_create_layout(cairo);
    PangoFontDescription* font = pango_font_description_from_string(drawing.label_font.c_str());
    pango_font_description_set_absolute_size(font, drawing.label_pixels * PANGO_SCALE);
    pango_layout_set_font_description(layout, font);
    pango_layout_set_width(layout, box.width * PANGO_SCALE);
    pango_layout_set_height(layout, box.height * PANGO_SCALE);
    pango_layout_set_wrap(layout, PANGO_WRAP_WORD_CHAR);
    pango_layout_set_text(layout, drawing.label.c_str(), -1);
    cairo_rectangle(cairo, box.left, box.top, box.width, box.height);
    cairo_clip(cairo);
    cairo_set_source_rgb(cairo, 0, 1, 1);
    cairo_move_to(cairo, box.left, box.top);
    pango_cairo_show_layout(cairo, layout);
    pango_font_description_free(font);
    g_object_unref(layout);
}

}  // namespace saver
