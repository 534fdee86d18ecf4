#pragma once

#include <pwd.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "support/ChildProcess.h"

namespace saver::test {

// A user of the test's own, removed with it.
class TestUser {
  public:
    TestUser() : name_("saver-e2e-" + std::to_string(getpid())) {
        made_ = RunChild({"useradd", "--no-create-home", "--shell", "/bin/sh", name_}).status == 0;
        if (struct passwd* entry = getpwnam(name_.c_str())) {
            uid_ = entry->pw_uid;
            gid_ = entry->pw_gid;
        }
    }
    ~TestUser() {
        if (made_) {
            RunChild({"userdel", name_});
        }
    }
    bool Made() const { return made_ && uid_ != 0; }
    void Own(const std::string& path) const { chown(path.c_str(), uid_, gid_); }
    // `argv` run as this user in `environment` only.
    std::vector<std::string> As(const std::vector<std::string>& environment,
                                const std::vector<std::string>& argv) const {
        std::vector<std::string> command = {"runuser", "-u", name_, "--", "env", "-i"};
        command.insert(command.end(), environment.begin(), environment.end());
        command.insert(command.end(), argv.begin(), argv.end());
        return command;
    }
    uid_t Uid() const { return uid_; }

  private:
    std::string name_;
    bool made_ = false;
    uid_t uid_ = 0;
    gid_t gid_ = 0;
};

}  // namespace saver::test
