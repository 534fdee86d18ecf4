#include "ChildProcess.h"

#include <errno.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>

namespace saver::test {

ChildProcess::ChildProcess(const std::vector<std::string>& argv, int keep_fd) {
    int pipe_fds[2];
    if (pipe(pipe_fds) != 0) {
        return;
    }
    pid_ = fork();
    if (pid_ == 0) {
        setpgid(0, 0);
        dup2(pipe_fds[1], STDOUT_FILENO);
        close(pipe_fds[0]);
        close(pipe_fds[1]);
        for (int fd = 3; fd < 1024; ++fd) {
            if (fd != keep_fd) {
                close(fd);
            }
        }
        std::vector<char*> args;
        for (const std::string& arg : argv) {
            args.push_back(const_cast<char*>(arg.c_str()));
        }
        args.push_back(nullptr);
        execvp(args[0], args.data());
        _exit(127);
    }
    close(pipe_fds[1]);
    output_ = pipe_fds[0];
    group_ = pid_;
}

ChildProcess::~ChildProcess() {
    if (pid_ > 0) {
        kill(-pid_, SIGTERM);
        waitpid(pid_, nullptr, 0);
    } else if (group_ > 0) {
        kill(-group_, SIGTERM);  // what the child started and left behind
    }
    if (output_ >= 0) {
        close(output_);
    }
}

std::optional<int> ChildProcess::WaitExit(int timeout_ms) {
    for (int waited = 0; pid_ > 0; waited += 20) {
        int status = 0;
        if (waitpid(pid_, &status, WNOHANG) == pid_) {
            pid_ = -1;
            exit_status_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
            break;
        }
        if (waited >= timeout_ms) {
            return std::nullopt;
        }
        usleep(20000);
    }
    return exit_status_;
}

std::string ChildProcess::ReadLine(int timeout_ms) {
    for (;;) {
        const size_t end = buffer_.find('\n');
        if (end != std::string::npos) {
            std::string line = buffer_.substr(0, end);
            buffer_.erase(0, end + 1);
            return line;
        }
        pollfd fd{output_, POLLIN, 0};
        int ready = 0;
        const auto deadline =
            std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
        do {  // a signal (another child ending) interrupts the wait without ending it
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                deadline - std::chrono::steady_clock::now());
            ready = poll(&fd, 1, std::max(0, static_cast<int>(left.count())));
        } while (ready < 0 && errno == EINTR);
        if (ready <= 0) {
            return "";
        }
        char chunk[512];
        const ssize_t got = read(output_, chunk, sizeof chunk);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            return "";
        }
        buffer_.append(chunk, static_cast<size_t>(got));
    }
}

}  // namespace saver::test
