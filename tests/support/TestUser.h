#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace saver::test {

// The live processes (zombies left out) of the user `uid`: all of them, or those whose
// program (the first word of the command line) is `program`.
std::vector<pid_t> ProcessesOf(uid_t uid, const std::string& program = "");

// A user of the test's own, made with useradd (the test runs as root) and removed with
// the object. Desktops that refuse to run as root (xscreensaver's display modes, Wayland
// compositors) run as this user. Every process of the user is the test's: the object
// ends them all, by process id, before it removes the user.
class TestUser {
  public:
    // `prefix` names the user, followed by the test's process id.
    explicit TestUser(const std::string& prefix = "saver-e2e-");
    ~TestUser();
    TestUser(const TestUser&) = delete;
    TestUser& operator=(const TestUser&) = delete;

    bool Made() const { return made_ && uid_ != 0; }
    const std::string& Name() const { return name_; }
    uid_t Uid() const { return uid_; }
    gid_t Gid() const { return gid_; }
    // Makes the user the owner of `path`.
    void Own(const std::string& path) const;
    // `argv` run as this user in `environment` ("NAME=VALUE") only.
    std::vector<std::string> As(const std::vector<std::string>& environment,
                                const std::vector<std::string>& argv) const;
    // The user's live processes, as ProcessesOf.
    std::vector<pid_t> Processes(const std::string& program = "") const {
        return ProcessesOf(uid_, program);
    }
    // Ends every process of the user: SIGTERM, then SIGKILL to those still there after
    // a grace period. True when none is left.
    bool EndProcesses() const;

  private:
    std::string name_;
    bool made_ = false;
    uid_t uid_ = 0;
    gid_t gid_ = 0;
};

}  // namespace saver::test
