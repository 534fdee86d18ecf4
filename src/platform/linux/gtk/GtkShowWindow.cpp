#include "platform/linux/gtk/GtkShowWindow.h"

#include "platform/linux/gtk/ForeignWindow.h"
#include "platform/linux/gtk/GtkCoverWindow.h"
#include "platform/linux/gtk/GtkFeedWindow.h"
#include "platform/linux/gtk/ScreenCursor.h"

namespace saver {
namespace {

// How long to wait before trying again to grab the input another client holds.
constexpr guint kGrabRetryMs = 200;

// The panels' font is the nearest installed match of the design's font.
constexpr const char* kPanelCss =
    ".panel { background-color: black; font-family: \"MS Sans Serif\", sans-serif;"
    " font-size: 11px; padding: 0 2px; }"
    ".status { color: silver; } .feed { color: aqua; }"
    "box.show { background-color: black; }";

GtkWidget* MakePanel(const char* style_class, int height, const char* text) {
    GtkWidget* label = gtk_label_new(text);
    gtk_label_set_xalign(GTK_LABEL(label), 0);
    gtk_label_set_ellipsize(GTK_LABEL(label), PANGO_ELLIPSIZE_END);
    gtk_widget_set_size_request(label, -1, height);
    GtkStyleContext* style = gtk_widget_get_style_context(label);
    gtk_style_context_add_class(style, "panel");
    gtk_style_context_add_class(style, style_class);
    return label;
}

void AddCss(GtkWidget* widget, GtkCssProvider* css) {
    gtk_style_context_add_provider(gtk_widget_get_style_context(widget), GTK_STYLE_PROVIDER(css),
                                   GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
}

}  // namespace

GtkShowWindow::GtkShowWindow(GtkWidget* parent, const MonitorArea& area, const HostWindow& host)
    : parent_(parent), area_(area), host_(host) {
    GtkWidget* box = gtk_box_new(GTK_ORIENTATION_VERTICAL, 0);
    gtk_style_context_add_class(gtk_widget_get_style_context(box), "show");
    status_ = MakePanel("status", 18, " ...");
    feed_ = MakePanel("feed", 21, "");
    GtkCssProvider* css = gtk_css_provider_new();
    gtk_css_provider_load_from_data(css, kPanelCss, -1, nullptr);
    for (GtkWidget* widget : {box, status_, feed_}) {
        AddCss(widget, css);
    }
    g_object_unref(css);
    gtk_box_pack_start(GTK_BOX(box), browser_.Widget(), TRUE, TRUE, 0);
    gtk_box_pack_start(GTK_BOX(box), status_, FALSE, FALSE, 0);
    gtk_box_pack_start(GTK_BOX(box), feed_, FALSE, FALSE, 0);
    gtk_widget_show(browser_.Widget());
    gtk_widget_show(status_);
    gtk_widget_set_no_show_all(feed_, TRUE);
    gtk_widget_show(box);
    // The feed windows lie in a layer over the whole window, panels included. The layer
    // itself lets every event through to what lies below; the feed windows in it take
    // their own.
    GtkWidget* overlay = gtk_overlay_new();
    feed_layer_ = gtk_fixed_new();
    gtk_container_add(GTK_CONTAINER(overlay), box);
    gtk_overlay_add_overlay(GTK_OVERLAY(overlay), feed_layer_);
    gtk_overlay_set_overlay_pass_through(GTK_OVERLAY(overlay), feed_layer_, TRUE);
    gtk_widget_show(feed_layer_);
    if (parent_) {
        root_ = overlay;
        gtk_container_add(GTK_CONTAINER(parent_), overlay);
    } else {
        root_ = gtk_window_new(GTK_WINDOW_TOPLEVEL);
        gtk_window_set_title(GTK_WINDOW(root_), "show");
        if (!host_.hosted) {
            g_signal_connect(root_, "map-event", G_CALLBACK(OnMapped), this);
        }
        gtk_container_add(GTK_CONTAINER(root_), overlay);
        gtk_widget_show(overlay);
    }
    g_object_ref_sink(root_);
}

std::unique_ptr<FeedWindow> GtkShowWindow::CreateFeedWindow() {
    return std::make_unique<GtkFeedWindow>(feed_layer_);
}

GtkShowWindow::~GtkShowWindow() {
    ReleaseGrab();
    gtk_widget_destroy(root_);
    g_object_unref(root_);
}

GtkWidget* GtkShowWindow::PanelLabel(ShowPanel panel) const {
    return panel == ShowPanel::Status ? status_ : feed_;
}

void GtkShowWindow::SetPanelText(ShowPanel panel, const std::string& text) {
    gtk_label_set_text(GTK_LABEL(PanelLabel(panel)), text.c_str());
}

void GtkShowWindow::SetPanelVisible(ShowPanel panel, bool visible) {
    gtk_widget_set_visible(PanelLabel(panel), visible);
}

void GtkShowWindow::ShowFullScreen() {
    if (host_.hosted) {
        // Inside the host's window, at its size; the host keeps the focus and the input.
        PlaceBlackWindow(root_, area_);
        gtk_window_set_keep_above(GTK_WINDOW(root_), FALSE);
        gtk_window_set_accept_focus(GTK_WINDOW(root_), FALSE);
        ReparentInto(root_, host_.window);
    } else if (!parent_) {
        PlaceFullScreen(root_, area_);
    }
    gtk_widget_show(root_);
    gtk_widget_grab_focus(browser_.Widget());
}

void GtkShowWindow::SetInputGrabbed(bool grabbed) {
    // Inside a host's window the host keeps the input.
    grab_wanted_ = grabbed && !parent_ && !host_.hosted;
    if (grab_wanted_) {
        GdkWindow* window = gtk_widget_get_window(root_);
        HideCursorOnScreen(window && gdk_window_get_cursor(window));
        TryGrab();
    } else {
        ReleaseGrab();
    }
}

void GtkShowWindow::HideCursorOnScreen(bool hide) {
    // While the grab is still to come (another client holds the pointer) pages would set
    // their cursors on the web view's window; the screen's own hiding holds whatever
    // they set.
    if (hide != cursor_hidden_on_screen_ && HideScreenCursor(gtk_widget_get_display(root_), hide)) {
        cursor_hidden_on_screen_ = hide;
    }
}

void GtkShowWindow::TryGrab() {
    GdkWindow* window = gtk_widget_get_window(root_);
    if (!grab_wanted_ || grabbed_ || grab_retry_ != 0 || !window ||
        !gdk_window_is_viewable(window)) {
        return;  // the map event tries again
    }
    // Events inside the process's own windows go to them as usual; the rest come here.
    // The grab's cursor is the window's own, so a hidden cursor stays hidden over every
    // window, whatever cursor a page asks for.
    GdkSeat* seat = gdk_display_get_default_seat(gdk_window_get_display(window));
    grabbed_ =
        gdk_seat_grab(seat, window, GDK_SEAT_CAPABILITY_ALL, TRUE, gdk_window_get_cursor(window),
                      nullptr, nullptr, nullptr) == GDK_GRAB_SUCCESS;
    if (!grabbed_) {
        grab_retry_ = g_timeout_add(kGrabRetryMs, RetryGrab, this);
    }
}

gboolean GtkShowWindow::RetryGrab(gpointer self) {
    auto* show = static_cast<GtkShowWindow*>(self);
    show->grab_retry_ = 0;
    show->TryGrab();
    return G_SOURCE_REMOVE;
}

void GtkShowWindow::ReleaseGrab() {
    HideCursorOnScreen(false);
    if (grab_retry_ != 0) {
        g_source_remove(grab_retry_);
        grab_retry_ = 0;
    }
    if (grabbed_) {
        gdk_seat_ungrab(gdk_display_get_default_seat(gtk_widget_get_display(root_)));
        gdk_display_flush(gtk_widget_get_display(root_));
        grabbed_ = false;
    }
}

namespace {

// Every mouse move counts for the exit rules, so GDK may merge none of them, in the
// window or in any window inside it (the web view has its own).
void KeepEveryMotion(GdkWindow* window) {
    gdk_window_set_event_compression(window, FALSE);
    GList* children = gdk_window_get_children(window);
    for (GList* child = children; child; child = child->next) {
        KeepEveryMotion(GDK_WINDOW(child->data));
    }
    g_list_free(children);
}

}  // namespace

gboolean GtkShowWindow::OnMapped(GtkWidget* window, GdkEvent*, gpointer self) {
    // Without a window manager nobody gives the focus, so the show takes it itself.
    GdkWindow* gdk_window = gtk_widget_get_window(window);
    KeepEveryMotion(gdk_window);
    gdk_window_focus(gdk_window, GDK_CURRENT_TIME);
    static_cast<GtkShowWindow*>(self)->TryGrab();
    return FALSE;
}

void GtkShowWindow::Hide() {
    gtk_widget_hide(root_);
}

}  // namespace saver
