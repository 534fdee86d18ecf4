#pragma once

#include "aatext/effects/TNotifyClass.h"

namespace saver {

// A settings object with an on/off switch: switching always reports a change, any other
// change is reported only while the object is enabled.
class TEnabledClass : public TNotifyClass {
  public:
    using TNotifyClass::TNotifyClass;

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool value) {
        if (value != enabled_) {
            enabled_ = value;
            TNotifyClass::Changed();
        }
    }

    void Changed() override {
        if (enabled_) {
            TNotifyClass::Changed();
        }
    }

  protected:
    // Takes the other object's switch without reporting a change (for Assign).
    void CopyEnabled(const TEnabledClass& other) { enabled_ = other.enabled_; }

  private:
    bool enabled_ = false;
};

}  // namespace saver
