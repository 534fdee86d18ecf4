#include "support/TestServers.h"

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <regex>
#include <vector>

namespace saver::test {

namespace {

// Starts an X server with `argv` plus "-displayfd" and gives its display (":N"), or
// empty when it did not start. The server writes its number once it accepts clients.
// "-noreset": an X server resets when its last client leaves and refuses connections
// meanwhile, so a program connecting just as a short-lived xdotool left would fail.
std::string StartXServer(std::vector<std::string> argv, const ChildOptions& base,
                         std::unique_ptr<ChildProcess>& process) {
    int fds[2];
    if (pipe(fds) != 0) {
        return "";
    }
    // A black root window ("-br") instead of the grey weave: what a test samples before
    // the saver's windows appear is black, as on most desktops under a screen saver.
    argv.insert(argv.begin() + 1,
                {"-displayfd", std::to_string(fds[1]), "-nolisten", "tcp", "-noreset", "-br"});
    ChildOptions options = base;
    options.keep_fd = fds[1];
    process = std::make_unique<ChildProcess>(argv, options);
    close(fds[1]);
    std::string number;
    char c;
    while (read(fds[0], &c, 1) == 1 && c != '\n') {
        number += c;
    }
    close(fds[0]);
    return number.empty() ? "" : ":" + number;
}

}  // namespace

XvfbServer::XvfbServer(int screens, const std::string& size) {
    if (screens <= 1) {
        display_ = StartXServer({"Xvfb", "-screen", "0", size + "x24"}, {}, process_);
        return;
    }
    const int width = std::stoi(size.substr(0, size.find('x')));
    const std::string height = size.substr(size.find('x') + 1);
    const std::string host = StartXServer(
        {"Xvfb", "-screen", "0", std::to_string(width * screens) + "x" + height + "x24"}, {},
        host_);
    if (host.empty()) {
        return;
    }
    std::vector<std::string> argv = {"Xephyr", "+xinerama"};
    for (int i = 0; i < screens; ++i) {
        argv.insert(argv.end(), {"-screen", size});
    }
    ChildOptions options;
    options.set_env["DISPLAY"] = host;
    display_ = StartXServer(argv, options, process_);
}

std::string RefusedUrl() {
    // A port the system just gave out and took back: nothing listens there.
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    bind(fd, reinterpret_cast<sockaddr*>(&address), size);
    getsockname(fd, reinterpret_cast<sockaddr*>(&address), &size);
    close(fd);
    return "http://127.0.0.1:" + std::to_string(ntohs(address.sin_port)) + "/refused.htm";
}

HttpServer::HttpServer(const std::string& folder, bool untrusted_tls) {
    if (untrusted_tls) {
        process_ = std::make_unique<ChildProcess>(std::vector<std::string>{
            "python3", std::string(SAVER_TEST_SUPPORT_DIR) + "/tls_server.py", folder});
        const std::string line = process_->ReadLine(30000);
        if (line.starts_with("PORT ")) {
            base_url_ = "https://127.0.0.1:" + line.substr(5) + "/";
        }
        return;
    }
    process_ = std::make_unique<ChildProcess>(std::vector<std::string>{
        "python3", "-u", "-m", "http.server", "0", "--bind", "127.0.0.1", "--directory", folder});
    const std::string line = process_->ReadLine(10000);
    std::smatch match;
    if (std::regex_search(line, match, std::regex("port ([0-9]+)"))) {
        base_url_ = "http://127.0.0.1:" + match[1].str() + "/";
    }
}

}  // namespace saver::test
