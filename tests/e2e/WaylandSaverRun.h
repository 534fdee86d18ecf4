#pragma once

#include <memory>
#include <string>
#include <vector>

#include "SaverRun.h"
#include "support/WaylandSession.h"

namespace saver::test {

// Lets the session's user reach the run's saver and own its home and runtime folders.
void ShareRunWithSession(const SaverRun& run, const WaylandSession& session);

// Starts the run's saver with `arguments` as the session's user, on the session's socket
// by its full path, with the run's own home and runtime folders (so the run's checks of
// working files apply) and no X display.
void StartSaverInSession(SaverRun& run, const WaylandSession& session,
                         const std::vector<std::string>& arguments, bool capture_errors = false);

// A keyboard on sway's seat for as long as the returned program runs, as users have one
// all along; null when none shows up. The headless session has none until wtype makes
// its own for each key: a show that opens then gets the keyboard's focus after the key
// is down, and only sees it come up.
std::unique_ptr<ChildProcess> KeepAKeyboard(const WaylandSession& session);

}  // namespace saver::test
