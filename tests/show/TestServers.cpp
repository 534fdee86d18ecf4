#include "TestServers.h"

#include <unistd.h>

#include <regex>
#include <vector>

namespace saver::test {

XvfbServer::XvfbServer(int screens, const std::string& size) {
    int fds[2];
    if (pipe(fds) != 0) {
        return;
    }
    std::vector<std::string> argv = {"Xvfb", "-displayfd", std::to_string(fds[1]), "-nolisten",
                                     "tcp"};
    if (screens > 1) {
        argv.push_back("+xinerama");
    }
    for (int i = 0; i < screens; ++i) {
        argv.insert(argv.end(), {"-screen", std::to_string(i), size + "x24"});
    }
    ChildOptions options;
    options.keep_fd = fds[1];
    process_ = std::make_unique<ChildProcess>(argv, options);
    close(fds[1]);
    // Xvfb writes its display number to the descriptor once it accepts clients.
    std::string number;
    char c;
    while (read(fds[0], &c, 1) == 1 && c != '\n') {
        number += c;
    }
    close(fds[0]);
    if (!number.empty()) {
        display_ = ":" + number;
    }
}

HttpServer::HttpServer(const std::string& folder) {
    process_ = std::make_unique<ChildProcess>(std::vector<std::string>{
        "python3", "-u", "-m", "http.server", "0", "--bind", "127.0.0.1", "--directory", folder});
    const std::string line = process_->ReadLine(10000);
    std::smatch match;
    if (std::regex_search(line, match, std::regex("port ([0-9]+)"))) {
        base_url_ = "http://127.0.0.1:" + match[1].str() + "/";
    }
}

}  // namespace saver::test
