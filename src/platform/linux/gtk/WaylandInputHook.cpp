#include "platform/linux/gtk/WaylandInputHook.h"

#include "platform/linux/gtk/GdkInput.h"
#include "platform/linux/gtk/GtkWindowSystem.h"

namespace saver {

WaylandInputHook::~WaylandInputHook() {
    Remove();
}

bool WaylandInputHook::Install(std::function<void(const InputMessage&)> record) {
    record_ = std::move(record);
    keys_down_.clear();
    windows_.SetInputTap([this](const GdkEvent* event) { Record(event); });
    return true;
}

void WaylandInputHook::Remove() {
    if (record_) {
        windows_.SetInputTap(nullptr);
        record_ = nullptr;
    }
}

void WaylandInputHook::Record(const GdkEvent* event) {
    if (event->type == GDK_KEY_RELEASE) {
        keys_down_.erase(event->key.hardware_keycode);
        return;
    }
    std::optional<InputMessage> message = TranslateGdkEvent(event);
    if (!message) {
        return;
    }
    switch (message->message) {
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN: {
            // Recorded as a plain key press with the key data of the first press or, for
            // the key's auto-repeat, repeat count 2.
            const bool repeat = !keys_down_.insert(event->key.hardware_keycode).second;
            message->message = WM_KEYDOWN;
            message->lparam = (message->lparam & ~int64_t{0xFFFF}) | (repeat ? 2 : 1);
            break;
        }
        case WM_MOUSEMOVE:
        case WM_LBUTTONDOWN:
        case WM_MBUTTONDOWN:
        case WM_RBUTTONDOWN:
            break;
        default:
            return;  // releases, the wheel and extra buttons are not recorded
    }
    // Recording may remove the hook (the show ends); it runs from a copy.
    auto record = record_;
    record(*message);
}

}  // namespace saver
