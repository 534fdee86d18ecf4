#include "platform/linux/gtk/GtkWindowSystem.h"

#include "platform/linux/gtk/ForeignWindow.h"
#include "platform/linux/gtk/GdkInput.h"
#include "platform/linux/gtk/GlibTimer.h"
#include "platform/linux/gtk/GtkCoverWindow.h"
#include "platform/linux/gtk/GtkShowWindow.h"
#include "platform/linux/gtk/WaylandIdleInhibit.h"
#include "platform/linux/gtk/WaylandOutputs.h"
#include "platform/linux/gtk/X11ScreenSaverSuspend.h"
#include "platform/linux/gtk/XineramaHeads.h"

namespace saver {
namespace {

gboolean StopWaiting(gpointer done) {
    *static_cast<bool*>(done) = true;
    return G_SOURCE_REMOVE;
}

// GTK's own handling of an event, as when no filter is set.
void DispatchEvent(GdkEvent* event, gpointer) {
    gtk_main_do_event(event);
}

}  // namespace

GtkWindowSystem::~GtkWindowSystem() {
    SetMessageFilter(nullptr);
    SetScreenSaverRunning(false);
}

std::vector<MonitorArea> GtkWindowSystem::Monitors() const {
    if (host_.hosted) {
        // A host window that is gone leaves a small one nobody sees.
        return {ForeignWindowArea(host_.window).value_or(MonitorArea{0, 0, 640, 480})};
    }
    std::vector<MonitorArea> monitors;
    GdkDisplay* display = gdk_display_get_default();
    const int count = gdk_display_get_n_monitors(display);
    for (int i = 0; i < count; ++i) {
        GdkRectangle geometry;
        gdk_monitor_get_geometry(gdk_display_get_monitor(display, i), &geometry);
        monitors.push_back({geometry.x, geometry.y, geometry.width, geometry.height});
    }
    if (monitors.size() <= 1) {
        std::vector<MonitorArea> heads = XineramaHeads(display);
        if (heads.size() > 1) {
            return heads;
        }
    }
    return monitors;
}

std::unique_ptr<Timer> GtkWindowSystem::CreateTimer(int interval_ms, std::function<void()> tick) {
    return std::make_unique<GlibTimer>(interval_ms, std::move(tick));
}

std::unique_ptr<ShowWindow> GtkWindowSystem::CreateShowWindow(CoverWindow* parent) {
    GtkWidget* cover = parent ? static_cast<GtkCoverWindow*>(parent)->Window() : nullptr;
    const std::vector<MonitorArea> monitors = Monitors();
    const MonitorArea area = monitors.empty() ? MonitorArea{0, 0, 640, 480} : monitors.front();
    auto window = std::make_unique<GtkShowWindow>(cover, area, host_);
    return window;
}

std::unique_ptr<CoverWindow> GtkWindowSystem::CreateCoverWindow(const MonitorArea& area) {
    auto cover = std::make_unique<GtkCoverWindow>(area);
    ApplyCursor(cover->Window());
    return cover;
}

void GtkWindowSystem::SetMessageFilter(std::function<bool(const InputMessage&)> filter) {
    filter_ = std::move(filter);
    SetEventHandler();
}

void GtkWindowSystem::SetInputTap(std::function<void(const GdkEvent*)> tap) {
    tap_ = std::move(tap);
    SetEventHandler();
}

void GtkWindowSystem::SetEventHandler() {
    if (filter_ || tap_) {
        gdk_event_handler_set(OnEvent, this, nullptr);
    } else {
        gdk_event_handler_set(DispatchEvent, nullptr, nullptr);
    }
}

void GtkWindowSystem::OnEvent(GdkEvent* event, gpointer self) {
    auto* system = static_cast<GtkWindowSystem*>(self);
    if (system->tap_) {
        // The tap may remove itself; it runs from a copy.
        auto tap = system->tap_;
        tap(event);
    }
    if (system->filter_) {
        auto message = TranslateGdkEvent(event);
        // The filter may replace itself; it runs from a copy.
        auto filter = system->filter_;
        if (message && filter(*message)) {
            return;
        }
    }
    gtk_main_do_event(event);
}

void GtkWindowSystem::SetScreenSaverRunning(bool running) {
    if (running == screen_saver_suspended_ || host_.hosted) {
        return;
    }
    if (!screen_saver_hold_) {
        // X11 suspends the server's own saver; Wayland inhibits the compositor's idle
        // start on the show's surfaces.
        GdkDisplay* display = gdk_display_get_default();
        if (IsWaylandDisplay(display)) {
            screen_saver_hold_ = std::make_unique<WaylandIdleInhibit>(display);
        } else if (display) {
            screen_saver_hold_ = std::make_unique<X11ScreenSaverSuspend>(display);
        }
    }
    if (screen_saver_hold_) {
        screen_saver_hold_->Hold(running);
    }
    screen_saver_suspended_ = running;
}

void GtkWindowSystem::SetCursorVisible(bool visible) {
    cursor_visible_ = visible;
    GList* windows = gtk_window_list_toplevels();
    for (GList* item = windows; item; item = item->next) {
        ApplyCursor(GTK_WIDGET(item->data));
    }
    g_list_free(windows);
}

void GtkWindowSystem::ApplyCursor(GtkWidget* window) const {
    // Windows are given the cursor once they exist on the display; until then it is set
    // when they are realised.
    if (!gtk_widget_get_realized(window)) {
        g_signal_handlers_disconnect_by_func(window, reinterpret_cast<gpointer>(OnRealize),
                                             const_cast<GtkWindowSystem*>(this));
        g_signal_connect(window, "realize", G_CALLBACK(OnRealize),
                         const_cast<GtkWindowSystem*>(this));
        return;
    }
    GdkWindow* gdk_window = gtk_widget_get_window(window);
    GdkCursor* cursor = cursor_visible_ ? nullptr
                                        : gdk_cursor_new_for_display(
                                              gdk_window_get_display(gdk_window), GDK_BLANK_CURSOR);
    gdk_window_set_cursor(gdk_window, cursor);
    if (cursor) {
        g_object_unref(cursor);
    }
}

void GtkWindowSystem::OnRealize(GtkWidget* window, gpointer self) {
    static_cast<GtkWindowSystem*>(self)->ApplyCursor(window);
}

void GtkWindowSystem::RunLoop() {
    if (quit_requested_) {
        return;
    }
    loop_ = g_main_loop_new(nullptr, FALSE);
    g_main_loop_run(loop_);
    g_main_loop_unref(loop_);
    loop_ = nullptr;
}

void GtkWindowSystem::QuitLoop() {
    quit_requested_ = true;
    if (loop_) {
        g_main_loop_quit(loop_);
    }
}

void GtkWindowSystem::WaitWithMessages(int ms) {
    bool done = false;
    const guint timer = g_timeout_add(static_cast<guint>(ms), StopWaiting, &done);
    while (!done && !quit_requested_) {
        g_main_context_iteration(nullptr, TRUE);
    }
    if (!done) {
        g_source_remove(timer);
    }
}

}  // namespace saver
