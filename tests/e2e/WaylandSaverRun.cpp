#include "WaylandSaverRun.h"

#include <sys/stat.h>

#include "support/Eventually.h"

namespace saver::test {
namespace {

// The value of `name` in a list of "NAME=VALUE".
std::string Variable(const std::vector<std::string>& environment, const std::string& name) {
    for (const std::string& entry : environment) {
        if (entry.starts_with(name + "=")) {
            return entry.substr(name.size() + 1);
        }
    }
    return "";
}

}  // namespace

void ShareRunWithSession(const SaverRun& run, const WaylandSession& session) {
    chmod(run.Folder().c_str(), 0755);
    for (const char* folder : {"/home", "/run"}) {
        session.User().Own(run.Folder() + folder);
    }
}

void StartSaverInSession(SaverRun& run, const WaylandSession& session,
                         const std::vector<std::string>& arguments, bool capture_errors) {
    const std::vector<std::string> environment = session.Environment();
    const std::string socket =
        Variable(environment, "XDG_RUNTIME_DIR") + "/" + Variable(environment, "WAYLAND_DISPLAY");
    std::vector<std::string> argv = {run.SaverFile()};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    run.StartProgram(
        session.Command(
            argv, {"WAYLAND_DISPLAY=" + socket, "XDG_RUNTIME_DIR=" + run.Folder() + "/run",
                   "HOME=" + run.Folder() + "/home", "WEBKIT_DISABLE_SANDBOX_THIS_IS_DANGEROUS=1"}),
        capture_errors);
}

std::unique_ptr<ChildProcess> KeepAKeyboard(const WaylandSession& session) {
    auto keyboard = session.Start({"wtype", "-s", "3600000"});
    const bool shown = Eventually([&] {
        return session.Run({"swaymsg", "-t", "get_inputs"}).out.find("\"keyboard\"") !=
               std::string::npos;
    });
    return shown ? std::move(keyboard) : nullptr;
}

}  // namespace saver::test
