#pragma once

#include <functional>
#include <memory>

#include "platform/WindowSystem.h"

namespace saver {

// Makes repeating user-interface timers (off when made) of an interval in milliseconds.
using TimerFactory = std::function<std::unique_ptr<Timer>(int, std::function<void()>)>;

}  // namespace saver
