#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace saver::testing {

// A program run by a test, with its own environment, its output captured.
struct ChildResult {
    bool exited = false;  // ended by exit (else by a signal)
    int status = -1;      // the exit status, or the signal number
    std::string out;
    std::string err;
};

struct ChildOptions {
    std::vector<std::string> arguments;          // after the program
    std::map<std::string, std::string> set_env;  // added or replaced
    std::vector<std::string> unset_env;
};

class ChildProcess {
  public:
    ChildProcess(const std::string& program, const ChildOptions& options);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    int Pid() const { return pid_; }
    void Signal(int signal_number) const;
    // Waits for the end (killing the program after `timeout_seconds`) and reads its output.
    ChildResult Wait(int timeout_seconds = 30);

  private:
    int pid_ = -1;
    int out_fd_ = -1;
    int err_fd_ = -1;
    std::optional<ChildResult> result_;
};

// Runs the program to its end.
ChildResult RunChild(const std::string& program, const ChildOptions& options,
                     int timeout_seconds = 30);

}  // namespace saver::testing
