#pragma once

#include <string>

namespace saver {

// A named lock that only one process of the user holds at a time.
//
// TryAcquire returns true when this process now holds the lock named `name`, false when
// another process holds it. The lock is held until the process ends, however it ends:
// the implementation must not need any clean-up to release it.
class InstanceLock {
  public:
    virtual ~InstanceLock() = default;

    virtual bool TryAcquire(const std::string& name) = 0;
};

}  // namespace saver
