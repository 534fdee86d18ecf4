#include "platform/linux/gtk/DisplayBackend.h"

#include <sys/stat.h>

#include <cstdlib>

namespace saver {
namespace {

std::string Variable(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

// The socket a Wayland client connects to for WAYLAND_DISPLAY: a full path as it is, a
// name inside the runtime folder; empty when a name has no runtime folder to be in.
std::string WaylandSocket(const DisplaySession& session) {
    if (session.wayland_display.front() == '/') {
        return session.wayland_display;
    }
    if (session.runtime_dir.empty()) {
        return "";
    }
    return session.runtime_dir + "/" + session.wayland_display;
}

}  // namespace

DisplayBackend ChooseDisplayBackend(const DisplaySession& session, DisplayNeed need,
                                    const std::function<bool(const std::string&)>& socket_exists) {
    const DisplayBackend x11 =
        session.x_display.empty() ? DisplayBackend::None : DisplayBackend::X11;
    if (session.gdk_backend == "x11") {
        return x11;
    }
    if (need == DisplayNeed::X11) {
        return session.gdk_backend == "wayland" ? DisplayBackend::None : x11;
    }
    const bool wayland = !session.wayland_display.empty() && !WaylandSocket(session).empty() &&
                         socket_exists(WaylandSocket(session));
    if (wayland || session.gdk_backend == "wayland") {
        return wayland ? DisplayBackend::Wayland : DisplayBackend::None;
    }
    return x11;
}

DisplaySession CurrentDisplaySession() {
    return {Variable("WAYLAND_DISPLAY"), Variable("XDG_RUNTIME_DIR"), Variable("DISPLAY"),
            Variable("GDK_BACKEND")};
}

bool IsSocket(const std::string& path) {
    struct stat status;
    return ::stat(path.c_str(), &status) == 0 && S_ISSOCK(status.st_mode);
}

}  // namespace saver
