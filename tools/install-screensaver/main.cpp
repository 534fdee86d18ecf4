// install-screensaver: makes a saver file the user's screen saver. The saver's install
// command starts it from the system folder with the saver's full path.
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "AutostartEntry.h"
#include "XScreensaverFile.h"
#include "base/Files.h"
#include "platform/linux/DetachedProcess.h"
#include "platform/linux/TrustedFile.h"

namespace {

using saver::XScreensaverFile;

constexpr const char* kUsage =
    R"(Usage: install-screensaver [--xscreensaver | --idle-watcher] [--minutes N] SAVER
       install-screensaver --uninstall SAVER

Makes the saver file SAVER (a full path) the user's screen saver. SAVER and its
folder must belong to the user or root and be writable by their owner alone (a saver
in a folder such as /tmp is refused: another user could replace it).
- with xscreensaver installed, on an X11 session (or with --xscreensaver): adds
  SAVER to the display modes of ~/.xscreensaver (made from xscreensaver's defaults
  when missing; every other setting and display mode is kept, and a saver already
  listed is not added twice but enabled when it was disabled) and selects it alone
  ("mode: one"). The previous file is kept as ~/.xscreensaver.bak; a symbolic link
  stays one, and the file it leads to is rewritten. A running xscreensaver reads the
  changed file by itself the next time it blanks the screen.
- else (or with --idle-watcher), and always on a Wayland session ($WAYLAND_DISPLAY
  set: xscreensaver cannot cover Wayland programs there): writes the autostart entry
  ~/.config/autostart/saverhost-NAME-HASH.desktop, which starts the idle watcher for
  SAVER at log-in, and starts the watcher now. It starts "SAVER /s" once the desktop
  has been idle for N minutes (--minutes, default 10). A file of that name that
  install-screensaver did not write is never replaced; the entry an older version
  wrote as NAME.desktop is replaced by the new one.
--uninstall removes the autostart entries install-screensaver wrote for SAVER, and
no other file (the watcher running now ends with the session).
Exit status: 0 when the saver was installed; 1 when it could not be (the message
says why; a ~/.xscreensaver that cannot be read as one is left untouched); 2 for a
wrong command line.
)";

constexpr const char* kAppDefaults = "/etc/X11/app-defaults/XScreenSaver";
constexpr const char* kWatcherName = "idle-watcher";

struct Options {
    enum class Target { Automatic, Xscreensaver, IdleWatcher } target = Target::Automatic;
    int minutes = 10;
    bool uninstall = false;
    std::string saver;
};

// Thrown for a wrong command line; the message goes before the usage.
struct UsageError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

Options ReadOptions(int argc, char** argv) {
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--xscreensaver") {
            options.target = Options::Target::Xscreensaver;
        } else if (argument == "--idle-watcher") {
            options.target = Options::Target::IdleWatcher;
        } else if (argument == "--uninstall") {
            options.uninstall = true;
        } else if (argument == "--minutes" && i + 1 < argc) {
            char* end = nullptr;
            const long minutes = std::strtol(argv[++i], &end, 10);
            if (*end != '\0' || minutes < 1 || minutes > 24 * 60) {
                throw UsageError("--minutes takes a number of minutes from 1 to 1440");
            }
            options.minutes = static_cast<int>(minutes);
        } else if (options.saver.empty() && !argument.empty() && argument[0] != '-') {
            options.saver = argument;
        } else {
            throw UsageError("unexpected argument \"" + argument + "\"");
        }
    }
    if (options.saver.empty()) {
        throw UsageError("the saver file is missing");
    }
    return options;
}

void CheckSaver(const std::string& saver) {
    if (saver.front() != '/') {
        throw std::runtime_error(saver + " is no full path");
    }
    // Neither the programs list nor a desktop entry can carry these in a path.
    if (saver.find_first_of("\n\r\\") != std::string::npos) {
        throw std::runtime_error(saver +
                                 ": a path with a line break or backslash cannot be installed");
    }
    struct stat info {};
    if (stat(saver.c_str(), &info) != 0 || !S_ISREG(info.st_mode) ||
        access(saver.c_str(), X_OK) != 0) {
        throw std::runtime_error(saver + " is no program file that can be run");
    }
    // The screen saver runs whenever the desktop is idle: a file another user could
    // change or put there would run their code in this user's session.
    if (!saver::IsTrustedCodeFile(saver)) {
        throw std::runtime_error(saver +
                                 ": the file, or the folder it is in, could be changed by other "
                                 "users (it must belong to you or root, and only its owner may "
                                 "write the file and its folder)");
    }
}

std::string HomeFolder() {
    const char* home = std::getenv("HOME");
    if (home == nullptr || home[0] != '/') {
        throw std::runtime_error("HOME is not set to a full path");
    }
    return home;
}

bool Set(const char* variable) {
    const char* value = std::getenv(variable);
    return value != nullptr && value[0] != '\0';
}

bool OnPath(const std::string& program) {
    const char* path = std::getenv("PATH");
    std::istringstream folders(path != nullptr ? path : "");
    for (std::string folder; std::getline(folders, folder, ':');) {
        if (!folder.empty() && access((folder + "/" + program).c_str(), X_OK) == 0) {
            return true;
        }
    }
    return false;
}

// The saver's name: its file name without the extension.
std::string SaverName(const std::string& saver) {
    std::string name = saver::FileNamePart(saver);
    const size_t dot = name.rfind('.');
    return dot == std::string::npos || dot == 0 ? name : name.substr(0, dot);
}

std::string ReadText(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

void WriteOrThrow(const std::string& path, const std::string& text, mode_t mode) {
    if (!saver::WriteFileAtomically(path, text, mode)) {
        throw std::runtime_error("cannot write " + path + ": " + std::strerror(errno));
    }
}

// The file that ~/.xscreensaver names: itself, or where its symbolic link leads (a link
// kept with the user's other dotfiles stays a link).
std::string LinkTarget(const std::string& path) {
    struct stat info {};
    if (lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) {
        return path;
    }
    char target[PATH_MAX];
    if (realpath(path.c_str(), target) == nullptr) {
        throw std::runtime_error(path + " is a symbolic link to nothing that can be read (" +
                                 std::strerror(errno) + "); it is left as it is");
    }
    return target;
}

// Writes the settings file, keeping its previous text in `backup` (one backup, the
// newest). The backup is written only when the text changes, so installing again keeps
// the file as it was before install-screensaver changed it.
void WriteWithBackup(const std::string& path, const std::optional<std::string>& previous,
                     const std::string& text, mode_t mode, const std::string& backup) {
    if (previous && previous != text) {
        WriteOrThrow(backup, *previous, mode);
    }
    WriteOrThrow(path, text, mode);
}

void InstallForXscreensaver(const std::string& saver) {
    const std::string named = HomeFolder() + "/.xscreensaver";
    const std::string path = LinkTarget(named);
    struct stat info {};
    XScreensaverFile file = XScreensaverFile::FromDefaults(ReadText(kAppDefaults));
    std::optional<std::string> previous;
    mode_t mode = 0644;
    if (stat(path.c_str(), &info) == 0) {
        if (!S_ISREG(info.st_mode) || access(path.c_str(), R_OK) != 0) {
            throw std::runtime_error(path + " is no file that can be read; it is left as it is");
        }
        previous = ReadText(path);
        try {
            file = XScreensaverFile::Parse(*previous);
        } catch (const std::runtime_error& error) {
            throw std::runtime_error(path + " cannot be read as xscreensaver's settings (" +
                                     error.what() + "); it is left as it is");
        }
        mode = info.st_mode & 07777;
    }
    const std::string command = saver::ShellQuote(saver) + " --root";
    std::string name = SaverName(saver);
    for (char& c : name) {
        c = c == '"' ? '\'' : c;
    }
    const size_t index = file.AddProgram("\"" + name + "\"  " + command, command);
    file.Set("mode", "one");
    file.Set("selected", std::to_string(index));
    WriteWithBackup(path, previous, file.Text(), mode, named + ".bak");
    std::printf("%s is the screen saver of xscreensaver now (%s)\n", saver.c_str(), path.c_str());
}

std::string ConfigFolder() {
    const char* config = std::getenv("XDG_CONFIG_HOME");
    return config != nullptr && config[0] == '/' ? config : HomeFolder() + "/.config";
}

// The idle watcher is installed beside this program.
std::string WatcherProgram() {
    char self[4096];
    const ssize_t length = readlink("/proc/self/exe", self, sizeof self - 1);
    if (length <= 0) {
        throw std::runtime_error("cannot find the folder of install-screensaver");
    }
    return saver::FolderPart(std::string(self, static_cast<size_t>(length))) + kWatcherName;
}

// The user's autostart folder, and the system's ones that its entries would hide.
saver::AutostartFolder Autostart() {
    const char* dirs = std::getenv("XDG_CONFIG_DIRS");
    std::istringstream folders(dirs != nullptr && dirs[0] != '\0' ? dirs : "/etc/xdg");
    std::vector<std::string> system;
    for (std::string folder; std::getline(folders, folder, ':');) {
        if (!folder.empty() && folder[0] == '/') {
            system.push_back(folder + "/autostart/");
        }
    }
    return saver::AutostartFolder(ConfigFolder() + "/autostart/", system);
}

void InstallIdleWatcher(const std::string& saver, int minutes) {
    const std::vector<std::string> argv = {WatcherProgram(), "--minutes", std::to_string(minutes),
                                           saver};
    const std::string entry = Autostart().Install(saver, SaverName(saver), argv);
    if (!Set("WAYLAND_DISPLAY") && !Set("DISPLAY")) {
        std::printf("no desktop session now: the idle watcher starts at the next log-in\n");
    } else if (!saver::StartDetached(argv)) {
        throw std::runtime_error("cannot start " + argv[0]);
    }
    std::printf("%s starts when the desktop has been idle for %d minutes (%s)\n", saver.c_str(),
                minutes, entry.c_str());
}

// Removes what the idle-watcher way installed for the saver, which may be gone already.
void Uninstall(const std::string& saver) {
    if (saver.front() != '/') {
        throw std::runtime_error(saver + " is no full path");
    }
    const std::vector<std::string> removed = Autostart().Remove(saver, SaverName(saver));
    for (const std::string& path : removed) {
        std::printf("removed %s\n", path.c_str());
    }
    if (removed.empty()) {
        std::printf("no autostart entry of install-screensaver starts %s\n", saver.c_str());
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    try {
        const Options options = ReadOptions(argc, argv);
        if (options.uninstall) {
            Uninstall(options.saver);
            return 0;
        }
        CheckSaver(options.saver);
        // xscreensaver is an X11 program: on a Wayland session it could blank only
        // Xwayland's windows, so the idle watcher watches the compositor there.
        const bool xscreensaver = options.target == Options::Target::Automatic
                                      ? !Set("WAYLAND_DISPLAY") && OnPath("xscreensaver")
                                      : options.target == Options::Target::Xscreensaver;
        if (xscreensaver) {
            InstallForXscreensaver(options.saver);
        } else {
            InstallIdleWatcher(options.saver, options.minutes);
        }
        return 0;
    } catch (const UsageError& error) {
        std::fprintf(stderr, "install-screensaver: %s\n\n%s", error.what(), kUsage);
        return 2;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "install-screensaver: %s\n", error.what());
        return 1;
    }
}
