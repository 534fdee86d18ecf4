#pragma once

#include <functional>
#include <string>

#include "support/Deadline.h"

namespace saver::test {

// The tests of this program run against their own X server (Xvfb, started before the
// first test) with GTK initialised on it.
const std::string& TestDisplay();

// Runs the main loop until `done` holds or `timeout_ms` has passed; returns `done()`.
bool RunUntil(const std::function<bool()>& done, int timeout_ms = kColdStartMs);
// Runs the main loop for `ms` milliseconds.
void RunFor(int ms);

}  // namespace saver::test
