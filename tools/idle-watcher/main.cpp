// idle-watcher: starts a saver when the desktop has been idle, on desktops without a
// screen-saver daemon of their own. install-screensaver sets it up to start at log-in.
#include <glib-unix.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <stdexcept>
#include <string>

#include "IdleWatcher.h"
#include "base/Files.h"
#include "base/Text.h"
#include "platform/linux/FlockInstanceLock.h"
#include "platform/linux/LinuxFolders.h"

namespace {

constexpr const char* kUsage = R"(Usage: idle-watcher [--minutes N | --seconds N] SAVER

Starts "SAVER /s" each time the desktop has been idle for N minutes (default 10;
--seconds counts in seconds), and not while another program keeps the screen
saver off: an inhibit through the org.freedesktop.ScreenSaver D-Bus service
(which the watcher offers on the session bus when no other program does), or
the desktop's own way:
  Wayland ($WAYLAND_DISPLAY): the compositor's idle protocol, ext-idle-notify-v1
    where offered (KDE, current wlroots compositors), else org_kde_kwin_idle
    (sway 1.7), else GNOME's idle monitor on the session bus; each leaves out the
    time the compositor's idle inhibitors hold (a playing video). On GNOME the
    session manager's idle inhibit counts too.
  X11 ($DISPLAY): the X server's idle time (MIT-SCREEN-SAVER); a full-screen
    window that has the focus, or the server's screen saver suspended, holds it.
When both are set, Wayland wins: the X display is then only Xwayland, whose idle
time does not see the input of the session's native Wayland programs.
A saver that ends, or crashes, is started again after the next whole idle
period. One watcher runs per user and saver; a second one ends at once.
It prints "watching" and what it watches, then "started PID" and "ended PID" for
each run of the saver.
Exit status: 0 when it was ended by a signal or another watcher runs already, 1 when
it cannot watch (no display, no idle time, the compositor ended), 2 for a wrong
command line.
)";

struct Options {
    int64_t timeout_ms = 10 * 60 * 1000;
    std::string saver;
};

bool ReadCount(const char* text, int64_t most, int64_t& count) {
    char* end = nullptr;
    count = std::strtoll(text, &end, 10);
    return *text != '\0' && *end == '\0' && count >= 1 && count <= most;
}

bool ReadOptions(int argc, char** argv, Options& options) {
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        int64_t count = 0;
        if ((argument == "--minutes" || argument == "--seconds") && i + 1 < argc) {
            const bool minutes = argument == "--minutes";
            if (!ReadCount(argv[++i], minutes ? 24 * 60 : 24 * 3600, count)) {
                return false;
            }
            options.timeout_ms = count * (minutes ? 60000 : 1000);
        } else if (options.saver.empty() && argument.starts_with("/")) {
            options.saver = argument;
        } else {
            return false;
        }
    }
    return !options.saver.empty();
}

// The lock of one saver's watcher: the saver's name and a hash of its full path, so
// that savers of one name in two folders have a watcher each.
std::string LockName(const std::string& saver) {
    return "idle-watcher-" + saver::SafeFileName(saver::FileNamePart(saver)).substr(0, 64) + "-" +
           saver::StableHashHex(saver);
}

gboolean Quit(gpointer loop) {
    g_main_loop_quit(static_cast<GMainLoop*>(loop));
    return G_SOURCE_REMOVE;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    Options options;
    if (!ReadOptions(argc, argv, options)) {
        std::fprintf(stderr, "idle-watcher: wrong command line\n\n%s", kUsage);
        return 2;
    }
    try {
        struct stat info {};
        if (stat(options.saver.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
            throw std::runtime_error("no saver file at " + options.saver);
        }
        saver::LinuxFolders folders;
        saver::FlockInstanceLock lock(folders.RuntimeFolder());
        if (!lock.TryAcquire(LockName(options.saver))) {
            std::printf("idle-watcher: a watcher for %s runs already\n", options.saver.c_str());
            return 0;
        }
        GMainLoop* loop = g_main_loop_new(nullptr, FALSE);
        bool lost = false;
        std::unique_ptr<saver::IdleDesktop> desktop =
            saver::OpenIdleDesktop(options.timeout_ms, [&] {
                lost = true;
                g_main_loop_quit(loop);
            });
        std::printf("watching %s\n", desktop->Description().c_str());
        std::fflush(stdout);
        g_unix_signal_add(SIGTERM, Quit, loop);
        g_unix_signal_add(SIGINT, Quit, loop);
        g_unix_signal_add(SIGHUP, Quit, loop);
        {
            saver::IdleWatcher watcher(*desktop, options.saver, options.timeout_ms);
            g_main_loop_run(loop);
        }
        g_main_loop_unref(loop);
        if (lost) {
            throw std::runtime_error("the desktop session ended (its compositor went away)");
        }
        return 0;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "idle-watcher: %s\n", error.what());
        return 1;
    }
}
