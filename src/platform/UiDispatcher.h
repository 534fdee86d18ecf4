#pragma once

#include <functional>

namespace saver {

// Hands work from another thread to the user-interface thread.
//
// Rules for every implementation:
// - Post may be called from any thread and never blocks; the task runs later on the
//   user-interface thread, in the order of posting.
// - A task that was posted but has not run when the dispatcher or its loop goes away is
//   dropped (destroyed without running); callers must not wait for it unconditionally.
class UiDispatcher {
  public:
    virtual ~UiDispatcher() = default;
    virtual void Post(std::function<void()> task) = 0;
};

}  // namespace saver
