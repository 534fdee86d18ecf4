#include "platform/linux/gtk/GtkCoverWindow.h"

#include "platform/linux/gtk/WaylandOutputs.h"

namespace saver {

void PlaceBlackWindow(GtkWidget* window, const MonitorArea& area) {
    GtkWindow* gtk_window = GTK_WINDOW(window);
    gtk_window_set_decorated(gtk_window, FALSE);
    gtk_window_set_keep_above(gtk_window, TRUE);
    gtk_window_set_skip_taskbar_hint(gtk_window, TRUE);
    gtk_window_move(gtk_window, area.left, area.top);
    gtk_window_set_default_size(gtk_window, area.width, area.height);
    gtk_window_resize(gtk_window, area.width, area.height);
    GtkCssProvider* css = gtk_css_provider_new();
    gtk_css_provider_load_from_data(css, "window { background-color: black; }", -1, nullptr);
    gtk_style_context_add_provider(gtk_widget_get_style_context(window), GTK_STYLE_PROVIDER(css),
                                   GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
    g_object_unref(css);
    gtk_widget_add_events(window, GDK_POINTER_MOTION_MASK | GDK_BUTTON_PRESS_MASK |
                                      GDK_BUTTON_RELEASE_MASK | GDK_SCROLL_MASK |
                                      GDK_KEY_PRESS_MASK);
}

void PlaceFullScreen(GtkWidget* window, const MonitorArea& area) {
    PlaceBlackWindow(window, area);
    if (IsWaylandDisplay(gtk_widget_get_display(window))) {
        // Wayland clients do not place their windows: the compositor is asked for the
        // output instead.
        CoverOutput(GTK_WINDOW(window), area);
        return;
    }
    // Full-screen, not maximised: under a window manager a maximised window leaves the
    // panels visible, a full-screen one goes above them. The window manager puts it on
    // the monitor it was moved to; without one the position and size alone hold.
    gtk_window_fullscreen(GTK_WINDOW(window));
}

GtkCoverWindow::GtkCoverWindow(const MonitorArea& area)
    : window_(gtk_window_new(GTK_WINDOW_TOPLEVEL)) {
    g_object_ref_sink(window_);
    gtk_window_set_title(GTK_WINDOW(window_), "cover");
    gtk_window_set_focus_on_map(GTK_WINDOW(window_), FALSE);
    gtk_window_set_accept_focus(GTK_WINDOW(window_), FALSE);
    PlaceFullScreen(window_, area);
    gtk_widget_show_all(window_);
}

GtkCoverWindow::~GtkCoverWindow() {
    gtk_widget_destroy(window_);
    g_object_unref(window_);
}

}  // namespace saver
