#pragma once

#include <functional>
#include <string>

namespace saver {

// The display server a window of the program opens on.
enum class DisplayBackend { None, Wayland, X11 };

// What a run mode needs of the display server: any, or X11 for what draws inside the X
// window of another program (the preview, a display mode of xscreensaver).
enum class DisplayNeed { Any, X11 };

// What decides the display server: the session's variables.
struct DisplaySession {
    std::string wayland_display;  // $WAYLAND_DISPLAY: a socket name or full path
    std::string runtime_dir;      // $XDG_RUNTIME_DIR, where named sockets are
    std::string x_display;        // $DISPLAY
    std::string gdk_backend;      // $GDK_BACKEND: "x11" or "wayland" chooses by hand
};

// The display server for a session. A Wayland session (WAYLAND_DISPLAY naming a socket
// that exists) wins over X11 when both are there: with both set, DISPLAY is Xwayland's,
// where the windows would be X clients of the compositor, shown and stacked only as it
// lets X clients be. GDK_BACKEND set to "x11" or "wayland" is the user's own choice and
// wins over both. `socket_exists` tells whether a path is a socket. None when the
// session has no display server of the kind `need` asks for.
DisplayBackend ChooseDisplayBackend(const DisplaySession& session, DisplayNeed need,
                                    const std::function<bool(const std::string&)>& socket_exists);

// The session of this process's environment.
DisplaySession CurrentDisplaySession();

// True when `path` is a socket.
bool IsSocket(const std::string& path);

}  // namespace saver
