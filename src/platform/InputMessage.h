#pragma once

#include <cstdint>

namespace saver {

// Input reaches the core in the vocabulary of the exit and ticker rules: Windows message
// ids and virtual-key codes. The window-system adapter translates its own events into
// these before the core sees them.
inline constexpr uint32_t WM_CLOSE = 0x0010;
inline constexpr uint32_t WM_KEYDOWN = 0x0100;
inline constexpr uint32_t WM_KEYUP = 0x0101;
inline constexpr uint32_t WM_SYSKEYDOWN = 0x0104;
inline constexpr uint32_t WM_SYSKEYUP = 0x0105;
inline constexpr uint32_t WM_SYSCOMMAND = 0x0112;
inline constexpr uint32_t WM_MOUSEMOVE = 0x0200;
inline constexpr uint32_t WM_LBUTTONDOWN = 0x0201;
inline constexpr uint32_t WM_LBUTTONUP = 0x0202;
inline constexpr uint32_t WM_RBUTTONDOWN = 0x0204;
inline constexpr uint32_t WM_RBUTTONUP = 0x0205;
inline constexpr uint32_t WM_MBUTTONDOWN = 0x0207;
inline constexpr uint32_t WM_MBUTTONUP = 0x0208;
inline constexpr uint32_t WM_MOUSEWHEEL = 0x020A;
inline constexpr uint32_t WM_XBUTTONDOWN = 0x020B;
inline constexpr uint32_t WM_XBUTTONUP = 0x020C;

inline constexpr uint32_t SC_SCREENSAVE = 0xF140;

inline constexpr uint32_t VK_BACK = 8;
inline constexpr uint32_t VK_TAB = 9;
inline constexpr uint32_t VK_RETURN = 13;
inline constexpr uint32_t VK_SHIFT = 16;
inline constexpr uint32_t VK_CONTROL = 17;
inline constexpr uint32_t VK_MENU = 18;
inline constexpr uint32_t VK_PAUSE = 19;
inline constexpr uint32_t VK_ESCAPE = 27;
inline constexpr uint32_t VK_SPACE = 32;
inline constexpr uint32_t VK_PRIOR = 33;
inline constexpr uint32_t VK_NEXT = 34;
inline constexpr uint32_t VK_END = 35;
inline constexpr uint32_t VK_HOME = 36;
inline constexpr uint32_t VK_LEFT = 37;
inline constexpr uint32_t VK_UP = 38;
inline constexpr uint32_t VK_RIGHT = 39;
inline constexpr uint32_t VK_DOWN = 40;
inline constexpr uint32_t VK_INSERT = 45;
inline constexpr uint32_t VK_DELETE = 46;
inline constexpr uint32_t VK_F1 = 112;

// Modifier keys held while a key message was made.
inline constexpr uint32_t kModShift = 1;
inline constexpr uint32_t kModControl = 2;
inline constexpr uint32_t kModAlt = 4;

// One input message. For key messages `wparam` is the virtual-key code and `lparam`
// the key data (repeat count in bits 0-15, scan code in bits 16-23); for WM_MOUSEWHEEL
// the wheel delta sits in the high word of `wparam`; for WM_SYSCOMMAND `wparam` is the
// command. Mouse positions are not carried: no rule reads them.
struct InputMessage {
    uint32_t message = 0;
    uint64_t wparam = 0;
    int64_t lparam = 0;
    uint32_t modifiers = 0;
};

inline bool IsKeyDown(const InputMessage& message) {
    return message.message == WM_KEYDOWN || message.message == WM_SYSKEYDOWN;
}

}  // namespace saver
