#include "support/TestUser.h"

#include <pwd.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>

#include "support/ChildProcess.h"
#include "support/Eventually.h"
#include "support/TempFolder.h"

namespace saver::test {
namespace {

namespace fs = std::filesystem;

// A zombie has ended; only its parent's wait removes it, and an orphan's new parent may
// never wait.
bool Zombie(const std::string& proc_folder) {
    const std::string stat = ReadFile(proc_folder + "/stat");
    const size_t name_end = stat.rfind(')');
    return name_end == std::string::npos || stat.compare(name_end + 1, 3, " Z ") == 0;
}

}  // namespace

TestUser::TestUser(const std::string& prefix) : name_(prefix + std::to_string(getpid())) {
    // Tests that run side by side make users at once, and useradd fails while another one
    // holds the lock of /etc/passwd: tried again until it is free.
    made_ = Eventually(
        [&] {
            return RunChild({"useradd", "--no-create-home", "--shell", "/bin/sh", name_}).status ==
                   0;
        },
        std::chrono::seconds(30));
    if (struct passwd* entry = getpwnam(name_.c_str())) {
        uid_ = entry->pw_uid;
        gid_ = entry->pw_gid;
    }
}

TestUser::~TestUser() {
    if (made_) {
        if (uid_ != 0) {
            EndProcesses();
        }
        Eventually(
            [&] {
                return RunChild({"userdel", name_}).status == 0;
            },
            std::chrono::seconds(30));
    }
}

void TestUser::Own(const std::string& path) const {
    chown(path.c_str(), uid_, gid_);
}

std::vector<std::string> TestUser::As(const std::vector<std::string>& environment,
                                      const std::vector<std::string>& argv) const {
    std::vector<std::string> command = {"runuser", "-u", name_, "--", "env", "-i"};
    command.insert(command.end(), environment.begin(), environment.end());
    command.insert(command.end(), argv.begin(), argv.end());
    return command;
}

std::vector<pid_t> ProcessesOf(uid_t uid, const std::string& program) {
    std::vector<pid_t> pids;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator("/proc", error)) {
        const std::string folder = entry.path().string();
        const std::string name = entry.path().filename().string();
        struct stat info {};
        if (name.find_first_not_of("0123456789") != std::string::npos ||
            stat(folder.c_str(), &info) != 0 || info.st_uid != uid || Zombie(folder)) {
            continue;
        }
        const std::string cmdline = ReadFile(folder + "/cmdline");
        if (program.empty() || cmdline.substr(0, cmdline.find('\0')) == program) {
            pids.push_back(std::stoi(name));
        }
    }
    return pids;
}

bool TestUser::EndProcesses() const {
    for (pid_t pid : Processes()) {
        kill(pid, SIGTERM);
    }
    if (Eventually([&] { return Processes().empty(); }, std::chrono::seconds(5))) {
        return true;
    }
    for (pid_t pid : Processes()) {
        kill(pid, SIGKILL);
    }
    return Eventually([&] { return Processes().empty(); }, std::chrono::seconds(10));
}

}  // namespace saver::test
