#include "platform/linux/gtk/GdkInput.h"

#include <gdk/gdkkeysyms.h>

namespace saver {
namespace {

struct KeyMapping {
    guint keyval;
    uint32_t virtual_key;
};

constexpr KeyMapping kKeys[] = {
    {GDK_KEY_BackSpace, VK_BACK},    {GDK_KEY_Tab, VK_TAB},
    {GDK_KEY_Return, VK_RETURN},     {GDK_KEY_KP_Enter, VK_RETURN},
    {GDK_KEY_Shift_L, VK_SHIFT},     {GDK_KEY_Shift_R, VK_SHIFT},
    {GDK_KEY_Control_L, VK_CONTROL}, {GDK_KEY_Control_R, VK_CONTROL},
    {GDK_KEY_Alt_L, VK_MENU},        {GDK_KEY_Alt_R, VK_MENU},
    {GDK_KEY_Pause, VK_PAUSE},       {GDK_KEY_Escape, VK_ESCAPE},
    {GDK_KEY_space, VK_SPACE},       {GDK_KEY_Page_Up, VK_PRIOR},
    {GDK_KEY_KP_Page_Up, VK_PRIOR},  {GDK_KEY_Page_Down, VK_NEXT},
    {GDK_KEY_KP_Page_Down, VK_NEXT}, {GDK_KEY_End, VK_END},
    {GDK_KEY_KP_End, VK_END},        {GDK_KEY_Home, VK_HOME},
    {GDK_KEY_KP_Home, VK_HOME},      {GDK_KEY_Left, VK_LEFT},
    {GDK_KEY_KP_Left, VK_LEFT},      {GDK_KEY_Up, VK_UP},
    {GDK_KEY_KP_Up, VK_UP},          {GDK_KEY_Right, VK_RIGHT},
    {GDK_KEY_KP_Right, VK_RIGHT},    {GDK_KEY_Down, VK_DOWN},
    {GDK_KEY_KP_Down, VK_DOWN},      {GDK_KEY_Insert, VK_INSERT},
    {GDK_KEY_KP_Insert, VK_INSERT},  {GDK_KEY_Delete, VK_DELETE},
    {GDK_KEY_KP_Delete, VK_DELETE},
};

uint32_t ModifiersOf(guint state) {
    uint32_t modifiers = 0;
    if (state & GDK_SHIFT_MASK) {
        modifiers |= kModShift;
    }
    if (state & GDK_CONTROL_MASK) {
        modifiers |= kModControl;
    }
    if (state & GDK_MOD1_MASK) {
        modifiers |= kModAlt;
    }
    return modifiers;
}

InputMessage KeyMessage(const GdkEventKey& key) {
    InputMessage message;
    const uint32_t modifiers = ModifiersOf(key.state);
    message.message = (modifiers & kModAlt) ? WM_SYSKEYDOWN : WM_KEYDOWN;
    message.wparam = VirtualKeyOf(key.keyval);
    // X key codes are the kernel's key codes plus 8, which for the common keys are the
    // PC scan codes the key data carries (Esc: 1).
    const int64_t scan_code = key.hardware_keycode >= 8 ? key.hardware_keycode - 8 : 0;
    message.lparam = 1 | ((scan_code & 0xFF) << 16);
    message.modifiers = modifiers;
    return message;
}

std::optional<InputMessage> ButtonMessage(const GdkEventButton& button) {
    const bool press = button.type == GDK_BUTTON_PRESS;
    InputMessage message;
    message.modifiers = ModifiersOf(button.state);
    switch (button.button) {
        case 1:
            message.message = press ? WM_LBUTTONDOWN : WM_LBUTTONUP;
            break;
        case 2:
            message.message = press ? WM_MBUTTONDOWN : WM_MBUTTONUP;
            break;
        case 3:
            message.message = press ? WM_RBUTTONDOWN : WM_RBUTTONUP;
            break;
        case 8:
        case 9:
            message.message = press ? WM_XBUTTONDOWN : WM_XBUTTONUP;
            message.wparam = static_cast<uint64_t>(button.button - 7) << 16;
            break;
        default:
            return std::nullopt;
    }
    return message;
}

std::optional<InputMessage> WheelMessage(const GdkEventScroll& scroll) {
    int delta = 0;
    if (scroll.direction == GDK_SCROLL_UP) {
        delta = 120;
    } else if (scroll.direction == GDK_SCROLL_DOWN) {
        delta = -120;
    } else if (scroll.direction == GDK_SCROLL_SMOOTH && scroll.delta_y != 0) {
        delta = scroll.delta_y < 0 ? 120 : -120;
    } else {
        return std::nullopt;
    }
    InputMessage message;
    message.message = WM_MOUSEWHEEL;
    message.wparam = static_cast<uint64_t>(static_cast<uint16_t>(delta)) << 16;
    message.modifiers = ModifiersOf(scroll.state);
    return message;
}

}  // namespace

uint32_t VirtualKeyOf(guint keyval) {
    for (const KeyMapping& mapping : kKeys) {
        if (mapping.keyval == keyval) {
            return mapping.virtual_key;
        }
    }
    const guint upper = gdk_keyval_to_upper(keyval);
    if ((upper >= GDK_KEY_A && upper <= GDK_KEY_Z) || (upper >= GDK_KEY_0 && upper <= GDK_KEY_9)) {
        return upper;  // letters and digits share their ASCII codes with the virtual keys
    }
    if (keyval >= GDK_KEY_F1 && keyval <= GDK_KEY_F24) {
        return VK_F1 + (keyval - GDK_KEY_F1);
    }
    return 0xFF;
}

std::optional<InputMessage> TranslateGdkEvent(const GdkEvent* event) {
    switch (event->type) {
        case GDK_KEY_PRESS:
            return KeyMessage(event->key);
        case GDK_BUTTON_PRESS:
        case GDK_BUTTON_RELEASE:
            return ButtonMessage(event->button);
        case GDK_SCROLL:
            return WheelMessage(event->scroll);
        case GDK_MOTION_NOTIFY: {
            InputMessage message;
            message.message = WM_MOUSEMOVE;
            message.modifiers = ModifiersOf(event->motion.state);
            return message;
        }
        default:
            return std::nullopt;
    }
}

}  // namespace saver
