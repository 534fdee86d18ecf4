#include "support/TestServers.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <functional>
#include <regex>
#include <thread>
#include <vector>

namespace saver::test {

namespace {

// Starts an X server with `argv` plus "-displayfd" and gives its display (":N"), or
// empty when it did not start. The server writes its number once it accepts clients.
// "-noreset": an X server resets when its last client leaves and refuses connections
// meanwhile, so a program connecting just as a short-lived xdotool left would fail.
std::string StartXServerOnce(std::vector<std::string> argv, const ChildOptions& base,
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

// An X server that ends before it reports its number (seen now and then when the
// servers of tests that run side by side start at once) is started again.
std::string StartXServer(const std::vector<std::string>& argv, const ChildOptions& base,
                         std::unique_ptr<ChildProcess>& process) {
    std::string display;
    for (int attempt = 0; attempt < 3 && display.empty(); ++attempt) {
        display = StartXServerOnce(argv, base, process);
    }
    return display;
}

// One plain panel along the bottom of every monitor, with nothing on it.
constexpr const char* kTint2Config = R"(rounded = 0
border_width = 0
background_color = #00c000 100
border_color = #000000 0
panel_items = S
panel_size = 100% 32
panel_margin = 0 0
panel_padding = 0 0 0
panel_position = bottom center horizontal
panel_layer = top
panel_monitor = all
panel_background_id = 1
panel_dock = 0
strut_policy = follow_size
autohide = 0
systray_background_id = 0
)";

// Polls `condition` every 100 ms until it holds or `timeout_ms` has passed.
bool PollFor(const std::function<bool()>& condition, int timeout_ms) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return true;
}

// True when some client of `display` owns the selection (a window manager owns "WM_S0",
// a compositor "_NET_WM_CM_S0").
bool SelectionOwned(const std::string& display, const char* selection) {
    Display* x = XOpenDisplay(display.c_str());
    if (!x) {
        return false;
    }
    const bool owned = XGetSelectionOwner(x, XInternAtom(x, selection, False)) != None;
    XCloseDisplay(x);
    return owned;
}

// A program of the desktop, started quietly: what it says would only fill the test log.
std::unique_ptr<ChildProcess> StartQuietly(const std::string& command,
                                           const ChildOptions& options) {
    return std::make_unique<ChildProcess>(
        std::vector<std::string>{"sh", "-c", "exec " + command + " >/dev/null 2>&1"}, options);
}

}  // namespace

std::string ScreenColour(const std::string& display, int x, int y) {
    Display* connection = XOpenDisplay(display.c_str());
    if (!connection) {
        return "";
    }
    std::string colour;
    XImage* image =
        XGetImage(connection, DefaultRootWindow(connection), x, y, 1, 1, AllPlanes, ZPixmap);
    if (image) {
        const unsigned long pixel = XGetPixel(image, 0, 0);
        char text[16];
        std::snprintf(text, sizeof text, "#%02X%02X%02X",
                      static_cast<unsigned>((pixel & image->red_mask) >> 16),
                      static_cast<unsigned>((pixel & image->green_mask) >> 8),
                      static_cast<unsigned>(pixel & image->blue_mask));
        colour = text;
        XDestroyImage(image);
    }
    XCloseDisplay(connection);
    return colour;
}

Desktop::Desktop(const std::string& display, const std::string& folder, bool compositor)
    : display_(display) {
    std::ofstream(folder + "/tint2rc") << kTint2Config;
    ChildOptions options;
    options.set_env = {{"DISPLAY", display}, {"HOME", folder}, {"XDG_CONFIG_HOME", folder}};
    window_manager_ = StartQuietly("openbox --sm-disable", options);
    // The panel comes once the window manager runs, so that it is managed as a dock.
    PollFor([&] { return SelectionOwned(display, "WM_S0"); }, 60000);
    panel_ = StartQuietly("tint2 -c '" + folder + "/tint2rc'", options);
    if (compositor) {
        compositor_ = StartQuietly("picom --backend xrender --config /dev/null", options);
    }
}

bool Desktop::Ready(int panel_x) const {
    Display* connection = XOpenDisplay(display_.c_str());
    if (!connection) {
        return false;
    }
    const int panel_y = DisplayHeight(connection, DefaultScreen(connection)) - kPanelHeight / 2;
    XCloseDisplay(connection);
    return PollFor(
        [&] {
            return SelectionOwned(display_, "WM_S0") &&
                   (!compositor_ || SelectionOwned(display_, "_NET_WM_CM_S0")) &&
                   ScreenColour(display_, panel_x, panel_y) == kPanelColour;
        },
        60000);
}

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
