#pragma once

#include <sys/types.h>

#include <vector>

namespace saver::test {

// The web content processes WebKit started for the process `parent`.
std::vector<pid_t> WebProcessesOf(pid_t parent);

}  // namespace saver::test
