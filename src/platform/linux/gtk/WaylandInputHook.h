#pragma once

#include <gdk/gdk.h>

#include <functional>
#include <set>

#include "platform/InputHook.h"

namespace saver {

class GtkWindowSystem;

// The system-wide input hook on Wayland. No client sees the input of another, but the
// show's surfaces cover every output and hold the keyboard, so whatever the user does
// reaches them: the hook records every key, button and motion event of the process's
// own surfaces as the window system receives it, before the message filter and whether
// or not that handles it (the web view's input included).
class WaylandInputHook : public InputHook {
  public:
    explicit WaylandInputHook(GtkWindowSystem& windows) : windows_(windows) {}
    ~WaylandInputHook() override;
    WaylandInputHook(const WaylandInputHook&) = delete;
    WaylandInputHook& operator=(const WaylandInputHook&) = delete;

    bool Available() const override { return true; }
    bool Install(std::function<void(const InputMessage&)> record) override;
    void Remove() override;
    bool Installed() const override { return static_cast<bool>(record_); }

  private:
    void Record(const GdkEvent* event);

    GtkWindowSystem& windows_;
    std::function<void(const InputMessage&)> record_;
    // The keys pressed and not yet released, by key code: a press of one of them again
    // is the key's auto-repeat.
    std::set<guint16> keys_down_;
};

}  // namespace saver
