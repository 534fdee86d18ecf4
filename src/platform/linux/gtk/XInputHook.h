#pragma once

#include <X11/Xlib.h>
#include <glib.h>

#include "platform/InputHook.h"

namespace saver {

// The system-wide input hook on X11: raw key, button and motion events of the whole
// X server (XInput 2 raw events selected on the root window), read over a connection of
// its own so that they reach us whichever window gets the input.
class XInputHook : public InputHook {
  public:
    XInputHook() = default;
    ~XInputHook() override;
    XInputHook(const XInputHook&) = delete;
    XInputHook& operator=(const XInputHook&) = delete;

    bool Available() const override;
    bool Install(std::function<void(const InputMessage&)> record) override;
    void Remove() override;
    bool Installed() const override { return display_ != nullptr; }

  private:
    static gboolean OnReadable(gint, GIOCondition, gpointer self);
    void ReadEvents();

    Display* display_ = nullptr;
    int xi_opcode_ = 0;
    guint watch_ = 0;
    std::function<void(const InputMessage&)> record_;
};

}  // namespace saver
