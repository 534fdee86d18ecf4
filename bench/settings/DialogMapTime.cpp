// dialog-map-time COMMAND [ARGUMENT...]: starts the command on $DISPLAY and prints the
// milliseconds from its start to the mapping of its first top-level window, then ends
// it. The window is seen through the X server's own map notification on the root
// window, so no polling delay counts.

#include <X11/Xlib.h>

#include <signal.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cstdio>

namespace {

double NowMs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<double>(now.tv_sec) * 1000.0 + static_cast<double>(now.tv_nsec) / 1e6;
}

// True once a top-level window was mapped, within `timeout_ms`.
bool WaitForMap(Display* display, double deadline_ms) {
    const int fd = ConnectionNumber(display);
    while (NowMs() < deadline_ms) {
        while (XPending(display) > 0) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == MapNotify) {
                return true;
            }
        }
        fd_set read{};
        FD_ZERO(&read);
        FD_SET(fd, &read);
        timeval wait{0, 100000};
        select(fd + 1, &read, nullptr, nullptr, &wait);
    }
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fputs("usage: dialog-map-time COMMAND [ARGUMENT...]\n", stderr);
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fputs("dialog-map-time: cannot open the display\n", stderr);
        return 1;
    }
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    XSync(display, False);
    const double start = NowMs();
    const pid_t child = fork();
    if (child == 0) {
        setpgid(0, 0);
        execvp(argv[1], argv + 1);
        _exit(127);
    }
    const bool mapped = WaitForMap(display, start + 60000);
    const double elapsed = NowMs() - start;
    kill(-child, SIGTERM);
    kill(child, SIGTERM);
    waitpid(child, nullptr, 0);
    XCloseDisplay(display);
    if (!mapped) {
        std::fprintf(stderr, "dialog-map-time: %s mapped no window within 60 s\n", argv[1]);
        return 1;
    }
    std::printf("%.1f\n", elapsed);
    return 0;
}
