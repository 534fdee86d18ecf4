#include "support/ChildProcess.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <stdexcept>
#include <thread>

#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace saver::test {

namespace {

using Clock = std::chrono::steady_clock;

std::vector<std::string> ChildEnvironment(const ChildOptions& options) {
    std::map<std::string, std::string> env;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        std::string text = *entry;
        size_t equals = text.find('=');
        if (equals != std::string::npos) {
            env[text.substr(0, equals)] = text.substr(equals + 1);
        }
    }
    for (const std::string& name : options.unset_env) {
        env.erase(name);
    }
    for (const auto& [name, value] : options.set_env) {
        env[name] = value;
    }
    std::vector<std::string> result;
    for (const auto& [name, value] : env) {
        result.push_back(name + "=" + value);
    }
    return result;
}

std::vector<char*> Pointers(std::vector<std::string>& strings) {
    std::vector<char*> pointers;
    for (std::string& text : strings) {
        pointers.push_back(text.data());
    }
    pointers.push_back(nullptr);
    return pointers;
}

int Remaining(Clock::time_point deadline) {
    auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return left > 0 ? static_cast<int>(left) : 0;
}

}  // namespace

ChildProcess::ChildProcess(const std::vector<std::string>& argv, const ChildOptions& options) {
    std::vector<std::string> args = argv;
    std::vector<std::string> envp = ChildEnvironment(options);
    std::vector<char*> arg_pointers = Pointers(args);
    std::vector<char*> env_pointers = Pointers(envp);
    int out[2] = {-1, -1};
    int err[2] = {-1, -1};
    if (::pipe(out) != 0 || (options.capture_stderr && ::pipe(err) != 0)) {
        throw std::runtime_error("cannot make a pipe for " + argv.at(0));
    }
    pid_ = ::fork();
    if (pid_ == 0) {
        ::setpgid(0, 0);
        ::dup2(out[1], STDOUT_FILENO);
        if (options.capture_stderr) {
            ::dup2(err[1], STDERR_FILENO);
        }
        int null = ::open("/dev/null", O_RDONLY);
        ::dup2(null, STDIN_FILENO);
        for (int fd = 3; fd < 1024; ++fd) {
            if (fd != options.keep_fd) {
                ::close(fd);
            }
        }
        if (!options.current_folder.empty() && ::chdir(options.current_folder.c_str()) != 0) {
            ::_exit(127);
        }
        ::execvpe(arg_pointers[0], arg_pointers.data(), env_pointers.data());
        ::_exit(127);
    }
    group_ = pid_;
    ::close(out[1]);
    out_fd_ = out[0];
    if (options.capture_stderr) {
        ::close(err[1]);
        err_fd_ = err[0];
        ::fcntl(err_fd_, F_SETFL, O_NONBLOCK);
    }
}

ChildProcess::~ChildProcess() {
    if (group_ > 0) {
        ::kill(-group_, SIGTERM);  // the child, and what it started and left behind
    }
    const auto deadline = Clock::now() + std::chrono::seconds(5);
    while (pid_ > 0 && !Reap(false) && Clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    if (pid_ > 0) {
        ::kill(-group_, SIGKILL);
        Reap(true);
    }
    for (int fd : {out_fd_, err_fd_}) {
        if (fd >= 0) {
            ::close(fd);
        }
    }
}

void ChildProcess::Signal(int signal_number) const {
    ::kill(group_, signal_number);
}

bool ChildProcess::Reap(bool block) {
    if (pid_ > 0 && ::waitpid(pid_, &raw_status_, block ? 0 : WNOHANG) == pid_) {
        pid_ = -1;
    }
    return pid_ <= 0;
}

std::optional<int> ChildProcess::WaitExit(int timeout_ms) {
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeout_ms);
    while (!Reap(false)) {
        if (Clock::now() >= deadline) {
            return std::nullopt;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return WIFEXITED(raw_status_) ? WEXITSTATUS(raw_status_) : 128 + WTERMSIG(raw_status_);
}

std::string ChildProcess::ReadLine(int timeout_ms) {
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeout_ms);
    for (;;) {
        const size_t end = out_.find('\n');
        if (end != std::string::npos) {
            std::string line = out_.substr(0, end);
            out_.erase(0, end + 1);
            return line;
        }
        if (out_fd_ < 0) {
            return "";
        }
        pollfd fd{out_fd_, POLLIN, 0};
        int ready = 0;
        do {  // a signal (another child ending) interrupts the wait without ending it
            ready = ::poll(&fd, 1, Remaining(deadline));
        } while (ready < 0 && errno == EINTR);
        if (ready <= 0) {
            return "";
        }
        char chunk[512];
        const ssize_t got = ::read(out_fd_, chunk, sizeof chunk);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            return "";
        }
        out_.append(chunk, static_cast<size_t>(got));
    }
}

void ChildProcess::Drain(int& fd, std::string& into) const {
    char buffer[4096];
    for (;;) {
        ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got > 0) {
            into.append(buffer, static_cast<size_t>(got));
            continue;
        }
        if (got == 0 || errno != EINTR) {
            // The end, or nothing more for now (a grandchild may hold the pipe open).
            if (got == 0) {
                ::close(fd);
                fd = -1;
            }
            return;
        }
    }
}

ChildResult ChildProcess::Wait(int timeout_ms) {
    ::fcntl(out_fd_, F_SETFL, O_NONBLOCK);
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeout_ms);
    while (!Reap(false)) {
        pollfd fds[2] = {{out_fd_, POLLIN, 0}, {err_fd_, POLLIN, 0}};
        ::poll(fds, 2, 50);
        for (auto [fd, into] : {std::pair{&out_fd_, &out_}, std::pair{&err_fd_, &err_}}) {
            if (*fd >= 0) {
                Drain(*fd, *into);
            }
        }
        if (Clock::now() > deadline) {
            ::kill(-group_, SIGKILL);
        }
    }
    for (auto [fd, into] : {std::pair{&out_fd_, &out_}, std::pair{&err_fd_, &err_}}) {
        if (*fd >= 0) {
            Drain(*fd, *into);
        }
    }
    ChildResult result;
    result.exited = WIFEXITED(raw_status_);
    result.status = result.exited ? WEXITSTATUS(raw_status_) : WTERMSIG(raw_status_);
    result.out = out_;
    result.err = err_;
    return result;
}

ChildResult RunChild(const std::vector<std::string>& argv, ChildOptions options, int timeout_ms) {
    options.capture_stderr = true;
    ChildProcess child(argv, options);
    return child.Wait(timeout_ms);
}

}  // namespace saver::test
