#include "platform/linux/gtk/GtkHints.h"

#include <memory>

namespace saver {

namespace {

// The hint's colours of the classic desktop: black on pale yellow, a thin black border.
constexpr const char* kHintCss =
    "window.hint { background-color: #ffffe1; border: 1px solid black; }"
    "window.hint label { color: black; padding: 1px 3px; }";

// Where the hint shows below the pointer.
constexpr int kBelowPointer = 20;

}  // namespace

struct GtkHints::Hint {
    GtkHints* hints;
    std::string text;
};

GtkHints::GtkHints(int pause_ms)
    : pause_ms_(pause_ms), popup_(gtk_window_new(GTK_WINDOW_POPUP)), label_(gtk_label_new("")) {
    g_object_ref_sink(popup_);
    gtk_window_set_type_hint(GTK_WINDOW(popup_), GDK_WINDOW_TYPE_HINT_TOOLTIP);
    gtk_container_add(GTK_CONTAINER(popup_), label_);
    GtkCssProvider* css = gtk_css_provider_new();
    gtk_css_provider_load_from_data(css, kHintCss, -1, nullptr);
    for (GtkWidget* widget : {popup_, label_}) {
        gtk_style_context_add_provider(gtk_widget_get_style_context(widget),
                                       GTK_STYLE_PROVIDER(css),
                                       GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
    }
    gtk_style_context_add_class(gtk_widget_get_style_context(popup_), "hint");
    g_object_unref(css);
}

GtkHints::~GtkHints() {
    Hide();
    gtk_widget_destroy(popup_);
    g_object_unref(popup_);
}

void GtkHints::Attach(GtkWidget* widget, const std::string& text) {
    if (text.empty()) {
        return;
    }
    auto* hint = new Hint{this, text};
    gtk_widget_add_events(widget, GDK_ENTER_NOTIFY_MASK | GDK_LEAVE_NOTIFY_MASK);
    g_signal_connect(widget, "enter-notify-event", G_CALLBACK(OnEnter), hint);
    g_signal_connect(widget, "leave-notify-event", G_CALLBACK(OnLeave), hint);
    g_signal_connect(widget, "button-press-event", G_CALLBACK(OnLeave), hint);
    g_object_set_data_full(G_OBJECT(widget), "saver-hint", hint,
                           [](gpointer data) { delete static_cast<Hint*>(data); });
}

gboolean GtkHints::OnEnter(GtkWidget* widget, GdkEventCrossing* event, gpointer data) {
    auto* hint = static_cast<Hint*>(data);
    GtkHints& self = *hint->hints;
    self.Hide();
    // On Wayland a popup is placed relative to the window it belongs to, which its
    // pointer coordinates are relative to as well.
    gtk_window_set_transient_for(GTK_WINDOW(self.popup_),
                                 GTK_WINDOW(gtk_widget_get_toplevel(widget)));
    gtk_label_set_text(GTK_LABEL(self.label_), hint->text.c_str());
    self.x_ = static_cast<int>(event->x_root);
    self.y_ = static_cast<int>(event->y_root) + kBelowPointer;
    self.timer_ = g_timeout_add(static_cast<guint>(self.pause_ms_), OnPause, &self);
    return FALSE;
}

gboolean GtkHints::OnLeave(GtkWidget*, GdkEvent*, gpointer data) {
    static_cast<Hint*>(data)->hints->Hide();
    return FALSE;
}

gboolean GtkHints::OnPause(gpointer data) {
    auto& self = *static_cast<GtkHints*>(data);
    self.timer_ = 0;
    gtk_window_move(GTK_WINDOW(self.popup_), self.x_, self.y_);
    gtk_widget_show_all(self.popup_);
    return G_SOURCE_REMOVE;
}

void GtkHints::Hide() {
    if (timer_ != 0) {
        g_source_remove(timer_);
        timer_ = 0;
    }
    gtk_widget_hide(popup_);
}

}  // namespace saver
