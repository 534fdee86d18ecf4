#pragma once

namespace saver {

// Marks a step of the program's start when SAVERHOST_TRACE_START is set (to anything but
// "" or "0"): one line on stderr with the monotonic clock in milliseconds, the time since
// the first mark and the step's name, so that a start can be broken down from outside.
// Costs one check of a cached flag otherwise. Safe on any thread.
void TraceStartStep(const char* step);

}  // namespace saver
