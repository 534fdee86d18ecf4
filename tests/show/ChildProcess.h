#pragma once

#include <sys/types.h>

#include <optional>
#include <string>
#include <vector>

namespace saver::test {

// A helper program the tests start and stop: it is killed with its process group when
// the object goes away. Its standard output can be read line by line.
class ChildProcess {
  public:
    // `keep_fd` stays open in the child (for programs told a descriptor number).
    explicit ChildProcess(const std::vector<std::string>& argv, int keep_fd = -1);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // The next line of the child's output; empty at its end or after `timeout_ms`.
    std::string ReadLine(int timeout_ms);
    // The exit status once the child has ended within `timeout_ms` (128 + signal when a
    // signal ended it); nullopt while it still runs.
    std::optional<int> WaitExit(int timeout_ms);
    pid_t Pid() const { return group_; }

  private:
    pid_t pid_ = -1;
    pid_t group_ = -1;
    std::optional<int> exit_status_;
    int output_ = -1;
    std::string buffer_;
};

}  // namespace saver::test
