#pragma once

#include <functional>

#include "platform/InputMessage.h"
#include "settings/TSaverSetting.h"

namespace saver {

// What the show does with one input message.
struct InputVerdict {
    bool handled = false;           // not dispatched further (the page does not get it)
    bool end_show = false;          // close the show
    bool navigation = false;        // a navigation key: page through the Web list
    bool open_link_window = false;  // a click that may follow a link (WebLinkExit)
};

// Asks the feed ticker whether it takes a message; false when there is no ticker.
using TickerInput = std::function<bool(const InputMessage&)>;

// The exit conditions: which input ends the show, which the show uses itself and which
// goes on to the page, for the three roads input takes (the application's message
// filter, the browser's key hook and the system-wide input hook). Holds the mouse-move
// countdown that all three share.
class ExitFilter {
  public:
    static constexpr int kMouseMoveAllowance = 20;

    explicit ExitFilter(const TSaverSetting& settings) : settings_(settings) {}

    // The application's message filter.
    InputVerdict FilterMessage(const InputMessage& message, const TickerInput& ticker);
    // The browser's key hook, for keys offered while the browser has the focus.
    InputVerdict FilterAccelerator(const InputMessage& message, const TickerInput& ticker) const;
    // An event recorded by the system-wide input hook; true when it ends the show.
    bool HookEventEnds(const InputMessage& message);

    void ResetMouseCountdown() { mouse_countdown_ = kMouseMoveAllowance; }
    int MouseCountdown() const { return mouse_countdown_; }

    // The derived rules.
    bool NoExitConditionSet() const;
    bool KeyEnds(uint64_t key_code) const;
    bool ButtonEnds() const;
    // Counts one mouse move; true when it ends the show.
    bool MouseMoveEnds();

    static bool IsNavigationKey(const InputMessage& message);

  private:
    InputVerdict FilterKey(const InputMessage& message, const TickerInput& ticker) const;

    const TSaverSetting& settings_;
    int mouse_countdown_ = kMouseMoveAllowance;
};

}  // namespace saver
