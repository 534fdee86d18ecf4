#pragma once

#include "platform/UiDispatcher.h"

namespace saver {

// Runs posted tasks in the GLib main loop of the default main context (the program's
// user-interface thread), at default priority.
class GlibDispatcher : public UiDispatcher {
  public:
    void Post(std::function<void()> task) override;
};

}  // namespace saver
