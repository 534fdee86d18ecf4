#include "platform/linux/gtk/ViewCover.h"

#include <algorithm>
#include <memory>

namespace saver {

namespace {

// Resolves at the page's animation frame number `frames`, counted from now. It runs in a
// world of its own, where a page's changes to its window do not reach.
constexpr const char* kFramesScript =
    "await new Promise(done => { let left = frames;"
    " const next = () => --left > 0 ? requestAnimationFrame(next) : done();"
    " requestAnimationFrame(next); });"
    " return true;";
constexpr const char* kCoverWorld = "saverhost-cover";
// The engine renders a frame on a thread of its own and hands it to the view while its
// page goes on: an animation frame of the page may come before the view has the frame
// rendered for the one before. Four frames after a load leave room for that; a web
// process started after the last one died has its first frames dropped while the view
// takes up its new surface (the view shows the dead process's last frame until then).
constexpr int kFramesAfterLoad = 4;
constexpr int kFramesAfterNewProcess = 6;

}  // namespace

struct ViewCover::FrameWait {
    ViewCover* cover;
    uint64_t raises;
};

ViewCover::ViewCover(WebKitWebView* view) : view_(view), waits_(g_cancellable_new()) {
    g_signal_connect_after(view_, "draw", G_CALLBACK(OnDraw), this);
}

ViewCover::~ViewCover() {
    g_signal_handlers_disconnect_by_data(view_, this);
    g_cancellable_cancel(waits_);
    g_object_unref(waits_);
}

void ViewCover::Raise(bool process_gone) {
    ++raises_;
    frames_ = std::max(frames_, process_gone ? kFramesAfterNewProcess : kFramesAfterLoad);
    if (!raised_) {
        raised_ = true;
        gtk_widget_queue_draw(GTK_WIDGET(view_));
    }
}

void ViewCover::LiftWhenPainted() {
    if (!raised_) {
        return;
    }
    GVariantDict arguments;
    g_variant_dict_init(&arguments, nullptr);
    g_variant_dict_insert(&arguments, "frames", "i", frames_);
    webkit_web_view_call_async_javascript_function(
        view_, kFramesScript, -1, g_variant_dict_end(&arguments), kCoverWorld, nullptr, waits_,
        OnFramesDrawn, new FrameWait{this, raises_});
}

gboolean ViewCover::OnDraw(GtkWidget* widget, cairo_t* cairo, gpointer self) {
    // After the view's own drawing, which keeps the engine's frames flowing.
    if (static_cast<ViewCover*>(self)->raised_) {
        cairo_set_source_rgb(cairo, 0, 0, 0);
        cairo_rectangle(cairo, 0, 0, gtk_widget_get_allocated_width(widget),
                        gtk_widget_get_allocated_height(widget));
        cairo_fill(cairo);
    }
    return FALSE;
}

void ViewCover::OnFramesDrawn(GObject* view, GAsyncResult* result, gpointer data) {
    std::unique_ptr<FrameWait> wait(static_cast<FrameWait*>(data));
    GError* error = nullptr;
    JSCValue* value = webkit_web_view_call_async_javascript_function_finish(WEBKIT_WEB_VIEW(view),
                                                                            result, &error);
    const bool cover_gone = g_error_matches(error, G_IO_ERROR, G_IO_ERROR_CANCELLED);
    g_clear_error(&error);
    if (value) {
        g_object_unref(value);
    }
    ViewCover* cover = wait->cover;
    if (cover_gone || wait->raises != cover->raises_ || !cover->raised_) {
        return;
    }
    // A script that failed (the page went on to another) lifts the cover all the same:
    // the view is never left black for good.
    cover->raised_ = false;
    cover->frames_ = 0;
    gtk_widget_queue_draw(GTK_WIDGET(cover->view_));
}

}  // namespace saver
