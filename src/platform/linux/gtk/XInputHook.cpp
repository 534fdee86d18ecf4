#include "platform/linux/gtk/XInputHook.h"

#include <X11/XKBlib.h>
#include <X11/extensions/XInput2.h>
#include <glib-unix.h>

#include "platform/linux/gtk/GdkInput.h"

namespace saver {
namespace {

// Opens the X input extension on `display`; its major opcode, or 0 without XInput 2.
int XInput2Opcode(Display* display) {
    int opcode = 0;
    int event = 0;
    int error = 0;
    if (!XQueryExtension(display, "XInputExtension", &opcode, &event, &error)) {
        return 0;
    }
    int major = 2;
    int minor = 0;
    return XIQueryVersion(display, &major, &minor) == Success ? opcode : 0;
}

std::optional<InputMessage> RawMessage(Display* display, const XIRawEvent& raw) {
    InputMessage message;
    switch (raw.evtype) {
        case XI_RawKeyPress: {
            const KeySym keysym =
                XkbKeycodeToKeysym(display, static_cast<KeyCode>(raw.detail), 0, 0);
            const int64_t repeat = (raw.flags & XIKeyRepeat) ? 2 : 1;
            message.message = WM_KEYDOWN;
            message.wparam = VirtualKeyOf(static_cast<guint>(keysym));
            message.lparam = repeat | (static_cast<int64_t>((raw.detail - 8) & 0xFF) << 16);
            return message;
        }
        case XI_RawButtonPress:
            if (raw.detail == 1) {
                message.message = WM_LBUTTONDOWN;
            } else if (raw.detail == 2) {
                message.message = WM_MBUTTONDOWN;
            } else if (raw.detail == 3) {
                message.message = WM_RBUTTONDOWN;
            } else {
                return std::nullopt;  // wheel and extra buttons are not recorded
            }
            return message;
        case XI_RawMotion:
            message.message = WM_MOUSEMOVE;
            return message;
        default:
            return std::nullopt;
    }
}

}  // namespace

XInputHook::~XInputHook() {
    Remove();
}

bool XInputHook::Available() const {
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        return false;
    }
    const bool available = XInput2Opcode(display) != 0;
    XCloseDisplay(display);
    return available;
}

bool XInputHook::Install(std::function<void(const InputMessage&)> record) {
    Remove();
    display_ = XOpenDisplay(nullptr);
    if (!display_) {
        return false;
    }
    xi_opcode_ = XInput2Opcode(display_);
    if (xi_opcode_ == 0) {
        Remove();
        return false;
    }
    unsigned char mask_bits[XIMaskLen(XI_LASTEVENT)] = {};
    XISetMask(mask_bits, XI_RawKeyPress);
    XISetMask(mask_bits, XI_RawButtonPress);
    XISetMask(mask_bits, XI_RawMotion);
    XIEventMask mask{XIAllMasterDevices, sizeof mask_bits, mask_bits};
    XISelectEvents(display_, DefaultRootWindow(display_), &mask, 1);
    XFlush(display_);
    record_ = std::move(record);
    watch_ = g_unix_fd_add(ConnectionNumber(display_), G_IO_IN, OnReadable, this);
    return true;
}

void XInputHook::Remove() {
    if (watch_) {
        g_source_remove(watch_);
        watch_ = 0;
    }
    if (display_) {
        XCloseDisplay(display_);
        display_ = nullptr;
    }
    record_ = nullptr;
}

gboolean XInputHook::OnReadable(gint, GIOCondition, gpointer self) {
    static_cast<XInputHook*>(self)->ReadEvents();
    return G_SOURCE_CONTINUE;
}

void XInputHook::ReadEvents() {
    while (display_ && XPending(display_) > 0) {
        XEvent event;
        XNextEvent(display_, &event);
        XGenericEventCookie* cookie = &event.xcookie;
        if (cookie->type != GenericEvent || cookie->extension != xi_opcode_ ||
            !XGetEventData(display_, cookie)) {
            continue;
        }
        auto message = RawMessage(display_, *static_cast<XIRawEvent*>(cookie->data));
        XFreeEventData(display_, cookie);
        if (message) {
            // Recording may remove the hook (the show ends); it runs from a copy.
            auto record = record_;
            record(*message);
        }
    }
}

}  // namespace saver
