#include "platform/linux/DetachedProcess.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

namespace saver {

namespace {

// Runs in the final child, where only async-signal-safe calls are allowed. Reports the
// reason through `report` when the program cannot be executed; on success the report
// pipe closes with the exec.
[[noreturn]] void ExecuteProgram(char* const* argv, int null_fd, int report) {
    dup2(null_fd, STDIN_FILENO);
    dup2(null_fd, STDOUT_FILENO);
    dup2(null_fd, STDERR_FILENO);
    close_range(3, ~0U, CLOSE_RANGE_CLOEXEC);
    sigset_t none;
    sigemptyset(&none);
    sigprocmask(SIG_SETMASK, &none, nullptr);
    struct sigaction default_action {};
    default_action.sa_handler = SIG_DFL;
    for (int signal_number = 1; signal_number < NSIG; ++signal_number) {
        sigaction(signal_number, &default_action, nullptr);
    }
    execvp(argv[0], argv);
    int error = errno;
    (void)!write(report, &error, sizeof error);
    _exit(127);
}

// Runs in the intermediate child: a new session, the final child, and out at once so that
// the final child is adopted by init (or the nearest subreaper).
[[noreturn]] void Detach(char* const* argv, int null_fd, int report) {
    setsid();
    pid_t child = fork();
    if (child == 0) {
        ExecuteProgram(argv, null_fd, report);
    }
    if (child < 0) {
        int error = errno;
        (void)!write(report, &error, sizeof error);
    }
    _exit(0);
}

// True when the report pipe closed without a word from the children.
bool ReportIsEmpty(int report) {
    int error = 0;
    ssize_t got;
    while ((got = read(report, &error, sizeof error)) < 0 && errno == EINTR) {
    }
    return got == 0;
}

}  // namespace

bool StartDetached(const std::vector<std::string>& argv) {
    if (argv.empty() || argv.front().empty()) {
        return false;
    }
    std::vector<char*> pointers;
    for (const auto& argument : argv) {
        pointers.push_back(const_cast<char*>(argument.c_str()));
    }
    pointers.push_back(nullptr);

    int null_fd = open("/dev/null", O_RDWR | O_CLOEXEC);
    int report[2] = {-1, -1};
    if (null_fd < 0 || pipe2(report, O_CLOEXEC) != 0) {
        if (null_fd >= 0) {
            close(null_fd);
        }
        return false;
    }
    pid_t middle = fork();
    if (middle == 0) {
        Detach(pointers.data(), null_fd, report[1]);
    }
    close(null_fd);
    close(report[1]);
    if (middle > 0) {
        while (waitpid(middle, nullptr, 0) < 0 && errno == EINTR) {
        }
    }
    bool started = middle > 0 && ReportIsEmpty(report[0]);
    close(report[0]);
    return started;
}

}  // namespace saver
