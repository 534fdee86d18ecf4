#include "support/WaylandSession.h"

#include <sys/stat.h>
#include <unistd.h>
#include <wayland-client.h>

#include <chrono>
#include <filesystem>
#include <nlohmann/json.hpp>

#include "support/Deadline.h"
#include "support/Eventually.h"

namespace saver::test {
namespace {

namespace fs = std::filesystem;

// The compositor's program, and the desktop it stands for (XDG_CURRENT_DESKTOP).
struct CompositorNames {
    const char* program;
    const char* desktop;
};

CompositorNames NamesOf(Compositor compositor) {
    switch (compositor) {
        case Compositor::kSway:
            return {"sway", "sway"};
        case Compositor::kMutter:
            return {"mutter", "GNOME"};
        case Compositor::kKWin:
            return {"kwin_wayland", "KDE"};
    }
    return {"", ""};
}

// A session bus whose socket lies in the private runtime folder, so that nothing of it
// stays in /tmp however the bus ends.
std::string BusConfig(const std::string& socket) {
    return R"(<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>session</type>
  <keep_umask/>
  <listen>unix:path=)" +
           socket + R"(</listen>
  <auth>EXTERNAL</auth>
  <standard_session_servicedirs/>
  <policy context="default">
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
  </policy>
</busconfig>
)";
}

std::string SwayConfig() {
    return std::string("xwayland disable\n") + "output * bg " + WaylandSession::kBackgroundColour +
           " solid_color\n" + "bar {\n    position bottom\n    height " +
           std::to_string(WaylandSession::kPanelHeight) + "\n    colors {\n        background " +
           WaylandSession::kPanelColour + "\n    }\n}\n";
}

struct Registry {
    static void Global(void* data, wl_registry*, uint32_t, const char* interface, uint32_t) {
        static_cast<std::set<std::string>*>(data)->insert(interface);
    }
    static void GlobalRemove(void*, wl_registry*, uint32_t) {}
};

}  // namespace

WaylandSession::WaylandSession(Compositor compositor)
    : compositor_(compositor), user_("saver-wl-") {
    const std::string program = NamesOf(compositor).program;
    if (getuid() != 0) {
        unavailable_ = "needs root, to make a user for " + program + " (it refuses root)";
        return;
    }
    if (RunChild({"sh", "-c", "command -v " + program}).status != 0) {
        unavailable_ = program + " is not installed (tools/deps/debian-packages.txt)";
        return;
    }
    if (!user_.Made()) {
        unavailable_ = "cannot make a user for " + program;
        return;
    }
    chmod(folder_.Path().c_str(), 0755);
    for (const std::string& folder : {Home(), Runtime()}) {
        fs::create_directory(folder);
        chmod(folder.c_str(), 0700);
        user_.Own(folder);
    }
    const std::string bus_config = folder_.Write("bus.conf", BusConfig(Runtime() + "/bus"));
    chmod(bus_config.c_str(), 0644);
    std::vector<std::string> command = {"sh",
                                        "-c",
                                        "exec \"$@\" >\"$HOME/compositor.log\" 2>&1",
                                        "sh",
                                        "dbus-run-session",
                                        "--config-file=" + bus_config,
                                        "--"};
    for (const std::string& word : CompositorCommand()) {
        command.push_back(word);
    }
    std::vector<std::string> environment = {"HOME=" + Home(), "XDG_RUNTIME_DIR=" + Runtime(),
                                            "PATH=/usr/local/bin:/usr/bin:/bin"};
    if (compositor == Compositor::kSway) {
        for (const char* setting : {"WLR_BACKENDS=headless", "WLR_HEADLESS_OUTPUTS=2",
                                    "WLR_LIBINPUT_NO_DEVICES=1", "WLR_RENDERER=pixman"}) {
            environment.push_back(setting);
        }
    } else if (compositor == Compositor::kMutter) {
        // A session without input devices: the idle monitor's ResetIdletime stands in for
        // the user's input, and mutter answers it only with this set.
        environment.push_back("MUTTER_DEBUG_RESET_IDLETIME=1");
    }
    process_ = std::make_unique<ChildProcess>(user_.As(environment, command));
    const bool ready = Eventually(
        [&] {
            wayland_display_ = SocketIn("wayland-", "");
            if (compositor == Compositor::kSway) {
                sway_socket_ = SocketIn("sway-ipc.", ".sock");
            }
            return (Answers() && (compositor != Compositor::kSway || !sway_socket_.empty())) ||
                   process_->WaitExit(0).has_value();
        },
        std::chrono::milliseconds(2 * kColdStartMs));
    if (!ready || !Answers()) {
        unavailable_ = program + " did not start here; its output:\n" + Log();
    }
}

WaylandSession::~WaylandSession() {
    user_.EndProcesses();
}

std::vector<std::string> WaylandSession::CompositorCommand() const {
    switch (compositor_) {
        case Compositor::kSway: {
            const std::string config = Home() + "/sway.conf";
            WriteFile(config, SwayConfig());
            user_.Own(config);
            return {"sway", "-c", config};
        }
        case Compositor::kMutter:
            return {"mutter",   "--headless",        "--wayland",
                    "--no-x11", "--virtual-monitor", "1024x768"};
        case Compositor::kKWin: {
            // kwin_wayland carries a file capability (CAP_SYS_RESOURCE) that a container
            // cannot grant, so exec fails; a copy has none.
            const std::string copy = folder_.Path() + "kwin_wayland";
            std::error_code error;
            fs::copy_file("/usr/bin/kwin_wayland", copy, error);
            chmod(copy.c_str(), 0755);
            return {copy, "--virtual", "--no-lockscreen", "--socket", "wayland-kwin"};
        }
    }
    return {};
}

std::string WaylandSession::SocketIn(const std::string& prefix, const std::string& suffix) const {
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(Runtime(), error)) {
        const std::string name = entry.path().filename().string();
        if (entry.is_socket(error) && name.starts_with(prefix) && name.ends_with(suffix)) {
            return name;
        }
    }
    return "";
}

bool WaylandSession::Answers() const {
    return !wayland_display_.empty() && !Globals().empty();
}

std::set<std::string> WaylandSession::Globals() const {
    std::set<std::string> globals;
    if (wayland_display_.empty()) {
        return globals;
    }
    wl_display* display = wl_display_connect((Runtime() + "/" + wayland_display_).c_str());
    if (display == nullptr) {
        return globals;
    }
    static const wl_registry_listener listener = {Registry::Global, Registry::GlobalRemove};
    wl_registry* registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &listener, &globals);
    if (wl_display_roundtrip(display) < 0) {
        globals.clear();
    }
    wl_registry_destroy(registry);
    wl_display_disconnect(display);
    return globals;
}

std::vector<std::string> WaylandSession::Environment() const {
    std::vector<std::string> environment = {
        "HOME=" + Home(),
        "XDG_RUNTIME_DIR=" + Runtime(),
        "WAYLAND_DISPLAY=" + wayland_display_,
        "DBUS_SESSION_BUS_ADDRESS=unix:path=" + Runtime() + "/bus",
        "PATH=/usr/local/bin:/usr/bin:/bin",
        "XDG_SESSION_TYPE=wayland",
        std::string("XDG_CURRENT_DESKTOP=") + NamesOf(compositor_).desktop,
        // GTK programs would otherwise have the bus start the accessibility services.
        "NO_AT_BRIDGE=1",
    };
    if (!sway_socket_.empty()) {
        environment.push_back("SWAYSOCK=" + Runtime() + "/" + sway_socket_);
    }
    return environment;
}

std::vector<std::string> WaylandSession::Command(
    const std::vector<std::string>& argv, const std::vector<std::string>& extra_environment) const {
    std::vector<std::string> environment = Environment();
    environment.insert(environment.end(), extra_environment.begin(), extra_environment.end());
    return user_.As(environment, argv);
}

ChildResult WaylandSession::Run(const std::vector<std::string>& argv, int timeout_ms) const {
    return RunChild(Command(argv), {}, timeout_ms);
}

std::unique_ptr<ChildProcess> WaylandSession::Start(
    const std::vector<std::string>& argv, const std::vector<std::string>& extra_environment,
    bool capture_stderr) const {
    ChildOptions options;
    options.capture_stderr = capture_stderr;
    return std::make_unique<ChildProcess>(Command(argv, extra_environment), options);
}

bool WaylandSession::WaitForBusName(const std::string& name) const {
    return Run({"gdbus", "wait", "--session", "--timeout", std::to_string(kColdStartMs / 1000),
                name},
               2 * kColdStartMs)
               .status == 0;
}

std::string WaylandSession::Log() const {
    return ReadFile(Home() + "/compositor.log");
}

std::unique_ptr<ChildProcess> WaylandSession::OpenWindow(const std::string& title) const {
    auto window =
        Start({"zenity", "--info", "--title", title, "--text", title}, {"GDK_BACKEND=wayland"});
    if (compositor_ == Compositor::kSway) {
        Eventually([&] {
            return Run({"swaymsg", "-t", "get_tree"}).out.find("\"" + title + "\"") !=
                   std::string::npos;
        });
    }
    return window;
}

bool WaylandSession::Key(const std::string& key) const {
    return Run({"wtype", "-k", key}).status == 0;
}

bool WaylandSession::Screenshot(const std::string& path, const std::string& output) const {
    std::vector<std::string> argv = {"grim"};
    if (!output.empty()) {
        argv.insert(argv.end(), {"-o", output});
    }
    argv.push_back(path);
    return Run(argv).status == 0;
}

std::vector<WaylandSession::Output> WaylandSession::SwayOutputs() const {
    std::vector<Output> outputs;
    const nlohmann::json list =
        nlohmann::json::parse(Run({"swaymsg", "-t", "get_outputs", "--raw"}).out, nullptr, false);
    if (!list.is_array()) {
        return outputs;
    }
    for (const auto& output : list) {
        const auto& rect = output.value("rect", nlohmann::json::object());
        outputs.push_back({output.value("name", ""), rect.value("x", 0), rect.value("y", 0),
                           rect.value("width", 0), rect.value("height", 0)});
    }
    return outputs;
}

}  // namespace saver::test
