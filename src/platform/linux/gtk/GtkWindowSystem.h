#pragma once

#include <gtk/gtk.h>

#include <memory>

#include "platform/HostWindow.h"
#include "platform/WindowSystem.h"
#include "platform/linux/gtk/ScreenSaverHold.h"

namespace saver {

// The WindowSystem on GTK 3 over X11 or Wayland. gtk_init must have run. A hosted show
// (X11 only) has the host's window as its one monitor and its one show window inside
// it, and leaves the X server's own screen saver to the host.
class GtkWindowSystem : public WindowSystem {
  public:
    explicit GtkWindowSystem(const HostWindow& host = {}) : host_(host) {}
    ~GtkWindowSystem() override;
    GtkWindowSystem(const GtkWindowSystem&) = delete;
    GtkWindowSystem& operator=(const GtkWindowSystem&) = delete;

    std::vector<MonitorArea> Monitors() const override;
    std::unique_ptr<Timer> CreateTimer(int interval_ms, std::function<void()> tick) override;
    std::unique_ptr<ShowWindow> CreateShowWindow(CoverWindow* parent) override;
    std::unique_ptr<CoverWindow> CreateCoverWindow(const MonitorArea& area) override;
    void SetMessageFilter(std::function<bool(const InputMessage&)> filter) override;
    void SetScreenSaverRunning(bool running) override;
    void SetCursorVisible(bool visible) override;
    void RunLoop() override;
    void QuitLoop() override;
    bool QuitRequested() const override { return quit_requested_; }
    void WaitWithMessages(int ms) override;

    // Sees every GDK event of the process's windows before the message filter does
    // (the input hook on Wayland); an empty function removes it.
    void SetInputTap(std::function<void(const GdkEvent*)> tap);

  private:
    void SetEventHandler();
    static void OnEvent(GdkEvent* event, gpointer self);
    static void OnRealize(GtkWidget* window, gpointer self);
    void ApplyCursor(GtkWidget* window) const;

    HostWindow host_;
    std::function<bool(const InputMessage&)> filter_;
    std::function<void(const GdkEvent*)> tap_;
    std::unique_ptr<ScreenSaverHold> screen_saver_hold_;
    bool cursor_visible_ = true;
    bool screen_saver_suspended_ = false;
    bool quit_requested_ = false;
    GMainLoop* loop_ = nullptr;
};

}  // namespace saver
