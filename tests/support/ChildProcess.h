#pragma once

#include <sys/types.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace saver::test {

// How a test starts a program.
struct ChildOptions {
    std::map<std::string, std::string> set_env;  // added to the test's environment or replaced
    std::vector<std::string> unset_env;
    int keep_fd = -1;                 // stays open in the child (for programs told its number)
    bool capture_stderr = false;      // else the child writes into the test's own stderr
    std::string current_folder = {};  // where the child starts; the test's own when empty
};

// What a program left when it ended.
struct ChildResult {
    bool exited = false;  // ended by exit (else by a signal)
    int status = -1;      // the exit status, or the signal number
    std::string out;
    std::string err;
};

// A program started by a test in a process group of its own (found on PATH when its name
// has no "/"), its standard output read through a pipe. When the object goes away the
// group is ended: first SIGTERM, then SIGKILL.
class ChildProcess {
  public:
    explicit ChildProcess(const std::vector<std::string>& argv, const ChildOptions& options = {});
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    pid_t Pid() const { return group_; }
    void Signal(int signal_number) const;

    // The next line of the child's output; empty at its end or after `timeout_ms`.
    std::string ReadLine(int timeout_ms);
    // The exit status once the child has ended within `timeout_ms` (128 + the signal
    // when a signal ended it); nullopt while it still runs.
    std::optional<int> WaitExit(int timeout_ms);
    // Waits for the end, killing the program after `timeout_ms`, and gives what it wrote.
    ChildResult Wait(int timeout_ms = 30000);

  private:
    bool Reap(bool block);
    void Drain(int& fd, std::string& into) const;

    pid_t pid_ = -1;  // -1 once reaped
    pid_t group_ = -1;
    int out_fd_ = -1;
    int err_fd_ = -1;
    std::string out_;
    std::string err_;
    int raw_status_ = 0;
};

// Runs the program to its end and gives what it wrote; stderr is captured.
ChildResult RunChild(const std::vector<std::string>& argv, ChildOptions options = {},
                     int timeout_ms = 30000);

}  // namespace saver::test
