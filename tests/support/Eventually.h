#pragma once

#include <chrono>
#include <functional>

#include "support/Deadline.h"

namespace saver::test {

// Polls `condition` every 100 ms until it holds (true) or `timeout` has passed (false).
bool Eventually(const std::function<bool()>& condition,
                std::chrono::milliseconds timeout = std::chrono::milliseconds(kColdStartMs));

}  // namespace saver::test
