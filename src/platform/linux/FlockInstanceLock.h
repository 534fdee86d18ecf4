#pragma once

#include <set>
#include <string>

#include "platform/InstanceLock.h"

namespace saver {

// The instance lock as an flock() on the file `folder` + name + ".lock" ("/" and NUL in
// the name become "_"), in the user's private runtime folder.
//
// The file is opened with O_CLOEXEC, so programs the process starts never inherit the
// lock, and O_NOFOLLOW, so a symbolic link in its place is not followed. The descriptor
// stays open for the rest of the process: the kernel drops the lock however the process
// ends, SIGKILL included, and the file itself may stay behind harmlessly. A name this
// object already holds is granted again.
//
// When the lock file cannot be opened or locked at all (not when another process holds
// it), TryAcquire returns true without a lock: a broken runtime folder then lets a saver
// run unguarded rather than silently never run.
class FlockInstanceLock : public InstanceLock {
  public:
    // `folder` ends with "/", as Folders::RuntimeFolder gives it.
    explicit FlockInstanceLock(std::string folder);

    bool TryAcquire(const std::string& name) override;

  private:
    std::string folder_;
    std::set<std::string> held_;
};

}  // namespace saver
