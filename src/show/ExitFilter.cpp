#include "show/ExitFilter.h"

namespace saver {
namespace {

// Key data of a first press of Esc as the input hook records it: repeat count 1 in
// the low word, scan code 1 in bits 16-23.
bool IsFirstEscPress(const InputMessage& message) {
    return message.wparam == VK_ESCAPE && (message.lparam & 0xFFFF) == 1 &&
           ((message.lparam >> 16) & 0xFF) == 1;
}

bool IsKeyLikeMessage(uint32_t message) {
    return message == WM_KEYDOWN || message == WM_SYSKEYDOWN || message == WM_MBUTTONUP ||
           message == WM_MOUSEWHEEL || message == WM_XBUTTONUP;
}

}  // namespace

bool ExitFilter::NoExitConditionSet() const {
    return !settings_.MouseMove && !settings_.MousePress && !settings_.KeyboardPress &&
           !settings_.OnlyEscKeyExit;
}

bool ExitFilter::KeyEnds(uint64_t key_code) const {
    if (settings_.OnlyEscKeyExit) {
        return key_code == VK_ESCAPE;
    }
    return settings_.ShowCursor || settings_.KeyboardPress || NoExitConditionSet();
}

bool ExitFilter::ButtonEnds() const {
    return settings_.MousePress && !settings_.ShowCursor && !settings_.OnlyEscKeyExit;
}

bool ExitFilter::MouseMoveEnds() {
    if (!settings_.MouseMove || settings_.ShowCursor || settings_.OnlyEscKeyExit) {
        return false;
    }
    if (mouse_countdown_ <= 0) {
        return true;
    }
    --mouse_countdown_;
    return false;
}

bool ExitFilter::IsNavigationKey(const InputMessage& message) {
    if (!IsKeyDown(message)) {
        return false;
    }
    switch (message.wparam) {
        case VK_PAUSE:
        case VK_PRIOR:
        case VK_NEXT:
        case VK_END:
        case VK_HOME:
        case VK_INSERT:
        case VK_DELETE:
            return true;
        default:
            return false;
    }
}

InputVerdict ExitFilter::FilterKey(const InputMessage& message, const TickerInput& ticker) const {
    InputVerdict verdict;
    if (IsNavigationKey(message)) {
        verdict.handled = true;
        verdict.navigation = true;
    } else if (ticker && ticker(message)) {
        verdict.handled = true;
        verdict.end_show = message.wparam == VK_RETURN;
    } else {
        const bool wheel_or_middle =
            message.message == WM_MOUSEWHEEL || message.message == WM_MBUTTONUP;
        verdict.end_show = KeyEnds(message.wparam) && !(settings_.ShowCursor && wheel_or_middle);
        verdict.handled = verdict.end_show;
    }
    return verdict;
}

InputVerdict ExitFilter::FilterMessage(const InputMessage& message, const TickerInput& ticker) {
    InputVerdict verdict;
    if (IsKeyLikeMessage(message.message)) {
        return FilterKey(message, ticker);
    }
    switch (message.message) {
        case WM_SYSCOMMAND:
            verdict.handled = message.wparam == SC_SCREENSAVE;
            break;
        case WM_MOUSEMOVE:
            verdict.end_show = MouseMoveEnds();
            verdict.handled = verdict.end_show;
            break;
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
            if (settings_.WebLinkExit) {
                verdict.open_link_window = true;
            } else {
                verdict.end_show = ButtonEnds();
                verdict.handled = verdict.end_show;
            }
            break;
        default:
            break;
    }
    return verdict;
}

InputVerdict ExitFilter::FilterAccelerator(const InputMessage& message,
                                           const TickerInput& ticker) const {
    // The browser offers key presses only; the key rule reads just the key code.
    InputVerdict verdict;
    if (IsNavigationKey(message)) {
        verdict.handled = true;
        verdict.navigation = true;
    } else if (ticker && ticker(message)) {
        verdict.end_show = message.wparam == VK_RETURN;
    } else {
        verdict.end_show = KeyEnds(message.wparam);
    }
    return verdict;
}

bool ExitFilter::HookEventEnds(const InputMessage& message) {
    switch (message.message) {
        case WM_MOUSEMOVE:
            return MouseMoveEnds();
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
            return ButtonEnds();
        case WM_KEYDOWN:
            return settings_.OnlyEscKeyExit ? IsFirstEscPress(message) : KeyEnds(message.wparam);
        default:
            return false;
    }
}

}  // namespace saver
