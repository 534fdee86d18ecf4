#pragma once

#include <functional>
#include <string>

namespace saver {

class WindowSystem;

// Runs `work` on a thread of its own while the message loop of `windows` keeps turning,
// and returns (or rethrows what it threw) once the work is done. For work on the
// saver's package during the show (copying or unzipping an item of hundreds of
// megabytes): input, timers and painting go on meanwhile. Work run this way runs one
// at a time in the process, since it shares the package. When the loop is to end, the
// call no longer turns it and waits for the work alone.
void WorkBesideTheLoop(WindowSystem& windows, const std::function<void()>& work);

// `resolve` (a content item to its path) made to run through WorkBesideTheLoop.
std::function<bool(std::string&)> ResolveBesideTheLoop(WindowSystem& windows,
                                                       std::function<bool(std::string&)> resolve);

}  // namespace saver
