#pragma once

#include "platform/Folders.h"
#include "platform/InstanceLock.h"
#include "platform/LibraryLoader.h"
#include "platform/Registry.h"
#include "platform/Shell.h"

namespace saver {

// The platform services start-up needs, wired by the program's entry (real adapters)
// or by a test (fakes). The services outlive everything that uses them.
struct Platform {
    Registry& registry;
    Folders& folders;
    Shell& shell;
    InstanceLock& instance_lock;
    LibraryLoader& library_loader;
};

}  // namespace saver
