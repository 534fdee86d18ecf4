#pragma once

#include <functional>

namespace saver {

class TNotifyClass;
using TNotifyEvent = std::function<void(TNotifyClass* sender)>;

// A settings object that reports its changes through one change event. An object that
// owns others hooks their change events to its own DoChange, so a change anywhere in
// the tree is reported once at the top.
class TNotifyClass {
  public:
    explicit TNotifyClass(TNotifyClass* owner = nullptr) : owner_(owner) {}
    virtual ~TNotifyClass() = default;
    TNotifyClass(const TNotifyClass&) = delete;
    TNotifyClass& operator=(const TNotifyClass&) = delete;

    // Calls the change event if one is set.
    virtual void Changed() {
        if (OnChange) {
            OnChange(this);
        }
    }
    // A change event handler that reports a change of an owned object as one of this.
    virtual void DoChange(TNotifyClass* /*sender*/) { Changed(); }

    TNotifyClass* Owner() const { return owner_; }

    TNotifyEvent OnChange;

  protected:
    // Hooks a child's change event to this object's DoChange.
    void Adopt(TNotifyClass& child) {
        child.OnChange = [this](TNotifyClass* sender) { DoChange(sender); };
    }

  private:
    TNotifyClass* owner_;
};

}  // namespace saver
