#pragma once

#include <string>
#include <vector>

namespace saver {

// Starts the program argv[0] (looked up on PATH when it has no "/") with the arguments
// argv[1...], detached: through an intermediate child, so the program is not this
// process's child and leaves no zombie; in a session of its own; with standard input,
// output and error on /dev/null; with no descriptor of this process beyond those three;
// with every signal unblocked and at its default action. Does not wait for the program.
// True when the program was started, false when it could not be (not found, not
// executable, no process could be made).
bool StartDetached(const std::vector<std::string>& argv);

}  // namespace saver
