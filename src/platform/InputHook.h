#pragma once

#include <functional>

#include "platform/InputMessage.h"

namespace saver {

// A system-wide input hook: sees the user's input wherever it goes, also to windows the
// application's message filter never sees (plug-ins inside a page). It records only;
// input is delivered as usual. Events arrive on the user-interface thread as
// WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MBUTTONDOWN and WM_KEYDOWN (with
// the key data of a first key press: repeat count 1, the key's scan code).
class InputHook {
  public:
    virtual ~InputHook() = default;

    // False when the system offers no such hook.
    virtual bool Available() const = 0;
    // Starts recording into `record`; false when it could not be installed.
    virtual bool Install(std::function<void(const InputMessage&)> record) = 0;
    virtual void Remove() = 0;
    virtual bool Installed() const = 0;
};

}  // namespace saver
