// saverhost: the saver engine. A saver file is this program with a saver package
// appended; the screen-saver switches choose what it does.

#include "LazyMainWindows.h"
#include "base/StartTrace.h"
#include "platform/linux/DlLibraryLoader.h"
#include "platform/linux/FileRegistry.h"
#include "platform/linux/FlockInstanceLock.h"
#include "platform/linux/LinuxFolders.h"
#include "platform/linux/XdgShell.h"
#include "startup/Startup.h"

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>

namespace {

// The mark by which saverpack knows a saver host program (startup/PackageLayout.h).
[[gnu::used]] const char kHostMark[] = "saverhost program mark 1";

constexpr const char* kUsage = R"(Usage: saverhost [SWITCH [HANDLE]]

A saver file is saverhost with a saver package appended (see saverpack).
  (none), /c      the saver's settings dialog
  /s              the full-screen show (any switch letter but A, C and P)
  /p HANDLE       the preview inside the X window HANDLE (decimal)
  /a HANDLE       change the screen-saver password, owned by window HANDLE
  --root          the show as a display mode of xscreensaver, inside the window
                  XSCREENSAVER_WINDOW names (else the root window)
  --window-id ID  the show as a display mode inside the X window ID (decimal or 0x
                  hexadecimal); as a display mode the show covers nothing else,
                  takes no input and ends on SIGTERM
  path FOLDER FILE [true]
                  the installer's command: record FOLDER, copy FOLDER+FILE into
                  the application data folder, and with "true" make this saver
                  the user's screen saver (install-screensaver)
A saver file whose name ends in ".exe" runs the show whatever the switch.

The show and the settings dialog open on the Wayland session that WAYLAND_DISPLAY
names, else on the X display that DISPLAY names. When both are set, Wayland wins:
DISPLAY is then Xwayland's, where the show would be an ordinary X client whose grabs
hold only among X clients, not over the session's own windows. The preview and the
display modes draw inside an X window and need DISPLAY. GDK_BACKEND=x11 (or wayland)
chooses by hand.
)";

// Platform libraries and programs come from the system folder of the installation
// (/usr/lib/saverhost/); SAVERHOST_SYSTEM_DIR names another folder (for tests, and for
// systems that keep them elsewhere).
std::string SystemFolder() {
    const char* folder = std::getenv("SAVERHOST_SYSTEM_DIR");
    return folder != nullptr && folder[0] == '/' ? folder : SAVERHOST_SYSTEM_FOLDER;
}

}  // namespace

int main(int argc, char** argv) {
    saver::TraceStartStep("main");
    saver::Arguments arguments(argv + 1, argv + argc);
    if (arguments.size() == 1 && (arguments[0] == "--help" || arguments[0] == "-h")) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    try {
        saver::LinuxFolders folders(SystemFolder());
        saver::FileRegistry registry;
        saver::FlockInstanceLock lock(folders.RuntimeFolder());
        saver::XdgShell shell;
        saver::DlLibraryLoader loader;
        saver::Platform platform{registry, folders, shell, lock, loader};
        saver::LazyMainWindows windows;
        return saver::RunSaver(arguments, platform, windows);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "saverhost: %s\n", error.what());
        return 1;
    }
}
