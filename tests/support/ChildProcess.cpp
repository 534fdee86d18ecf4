#include "support/ChildProcess.h"

#include <chrono>
#include <csignal>
#include <stdexcept>

#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace saver::testing {

namespace {

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

void Drain(int& fd, std::string& into) {
    char buffer[4096];
    for (;;) {
        ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got > 0) {
            into.append(buffer, static_cast<size_t>(got));
            continue;
        }
        if (got == 0) {
            ::close(fd);
            fd = -1;
        }
        return;
    }
}

}  // namespace

ChildProcess::ChildProcess(const std::string& program, const ChildOptions& options) {
    std::vector<std::string> argv{program};
    argv.insert(argv.end(), options.arguments.begin(), options.arguments.end());
    std::vector<std::string> envp = ChildEnvironment(options);
    std::vector<char*> argv_pointers = Pointers(argv);
    std::vector<char*> envp_pointers = Pointers(envp);
    int out[2];
    int err[2];
    if (::pipe2(out, O_CLOEXEC) != 0 || ::pipe2(err, O_CLOEXEC) != 0) {
        throw std::runtime_error("pipe failed");
    }
    pid_ = ::fork();
    if (pid_ == 0) {
        ::dup2(out[1], 1);
        ::dup2(err[1], 2);
        int null = ::open("/dev/null", O_RDONLY);
        ::dup2(null, 0);
        ::execve(program.c_str(), argv_pointers.data(), envp_pointers.data());
        ::_exit(127);
    }
    ::close(out[1]);
    ::close(err[1]);
    out_fd_ = out[0];
    err_fd_ = err[0];
    ::fcntl(out_fd_, F_SETFL, O_NONBLOCK);
    ::fcntl(err_fd_, F_SETFL, O_NONBLOCK);
}

ChildProcess::~ChildProcess() {
    if (!result_ && pid_ > 0) {
        ::kill(pid_, SIGKILL);
        Wait();
    }
}

void ChildProcess::Signal(int signal_number) const {
    ::kill(pid_, signal_number);
}

ChildResult ChildProcess::Wait(int timeout_seconds) {
    if (result_) {
        return *result_;
    }
    ChildResult result;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(timeout_seconds);
    int status = 0;
    for (;;) {
        pollfd fds[2] = {{out_fd_, POLLIN, 0}, {err_fd_, POLLIN, 0}};
        ::poll(fds, 2, 50);
        if (out_fd_ >= 0) {
            Drain(out_fd_, result.out);
        }
        if (err_fd_ >= 0) {
            Drain(err_fd_, result.err);
        }
        pid_t done = ::waitpid(pid_, &status, WNOHANG);
        if (done == pid_) {
            break;
        }
        if (std::chrono::steady_clock::now() > deadline) {
            ::kill(pid_, SIGKILL);
        }
    }
    while (out_fd_ >= 0 || err_fd_ >= 0) {
        // Whatever the program left in the pipes; a grandchild holding them is not waited for.
        if (out_fd_ >= 0) {
            Drain(out_fd_, result.out);
            if (out_fd_ >= 0) {
                ::close(out_fd_);
                out_fd_ = -1;
            }
        }
        if (err_fd_ >= 0) {
            Drain(err_fd_, result.err);
            if (err_fd_ >= 0) {
                ::close(err_fd_);
                err_fd_ = -1;
            }
        }
    }
    result.exited = WIFEXITED(status);
    result.status = result.exited ? WEXITSTATUS(status) : WTERMSIG(status);
    result_ = result;
    return result;
}

ChildResult RunChild(const std::string& program, const ChildOptions& options, int timeout_seconds) {
    ChildProcess child(program, options);
    return child.Wait(timeout_seconds);
}

}  // namespace saver::testing
