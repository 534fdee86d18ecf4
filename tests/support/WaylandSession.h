#pragma once

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "support/ChildProcess.h"
#include "support/TempFolder.h"
#include "support/TestUser.h"

namespace saver::test {

enum class Compositor {
    kSway,    // wlroots: headless backend, two outputs, a swaybar panel, a swaybg background
    kMutter,  // GNOME: headless, one virtual monitor of 1024 x 768; its idle monitor's
              // ResetIdletime (org.gnome.Mutter.IdleMonitor) counts as input
    kKWin,    // KDE: the virtual backend
};

// A Wayland session of the test's own: the compositor runs headless inside
// dbus-run-session as a user made for it (compositors refuse root), with a private home
// and XDG_RUNTIME_DIR (0700, the user's). The object ends every process of that user and
// removes the user and its folders.
//
// Where the compositor cannot start here (not root, not installed, it fails), Unavailable()
// says why; the test then skips with that reason:
//     if (!session.Unavailable().empty()) GTEST_SKIP() << session.Unavailable();
class WaylandSession {
  public:
    // sway's background and panel: a bar of kPanelHeight px along the bottom of every
    // output.
    static constexpr const char* kBackgroundColour = "#3366CC";
    static constexpr const char* kPanelColour = "#00C000";
    static constexpr int kPanelHeight = 32;

    // Starts the compositor and waits, with a generous deadline, until its socket answers.
    explicit WaylandSession(Compositor compositor);
    ~WaylandSession();
    WaylandSession(const WaylandSession&) = delete;
    WaylandSession& operator=(const WaylandSession&) = delete;

    // Empty once the session runs; else why it does not.
    const std::string& Unavailable() const { return unavailable_; }
    const TestUser& User() const { return user_; }
    // The user's home: the user reads and writes there, and so does the test.
    std::string Home() const { return folder_.Path() + "home"; }
    // The session's environment, "NAME=VALUE": WAYLAND_DISPLAY, XDG_RUNTIME_DIR,
    // DBUS_SESSION_BUS_ADDRESS, HOME, PATH, XDG_CURRENT_DESKTOP (and SWAYSOCK on sway).
    std::vector<std::string> Environment() const;
    // `argv` as the user inside the session, with `extra_environment` added.
    std::vector<std::string> Command(const std::vector<std::string>& argv,
                                     const std::vector<std::string>& extra_environment = {}) const;
    // Runs `argv` in the session to its end.
    ChildResult Run(const std::vector<std::string>& argv, int timeout_ms = 30000) const;
    // Starts `argv` in the session; it ends with the returned object, or with the session.
    std::unique_ptr<ChildProcess> Start(const std::vector<std::string>& argv,
                                        const std::vector<std::string>& extra_environment = {},
                                        bool capture_stderr = false) const;
    // The interfaces the compositor offers (its registry's globals); empty when it does
    // not answer.
    std::set<std::string> Globals() const;
    // True once `name` has an owner on the session bus, within a generous deadline.
    bool WaitForBusName(const std::string& name) const;
    // What the compositor wrote so far.
    std::string Log() const;

    // A GTK window (a zenity dialog titled `title`) opened in the session; on sway, once
    // its tree shows it.
    std::unique_ptr<ChildProcess> OpenWindow(const std::string& title) const;
    // A key press and release (a name as xkbcommon spells it: "Escape", "a") through the
    // virtual keyboard protocol (wtype); false when it could not be sent.
    bool Key(const std::string& key) const;
    // A screenshot of one output (all of them when `output` is empty) into the PNG file
    // `path`, which the user may write (in Home()), through grim (wlroots compositors).
    bool Screenshot(const std::string& path, const std::string& output = "") const;

    struct Output {
        std::string name;
        int x = 0, y = 0, width = 0, height = 0;
    };
    // sway's outputs, as swaymsg lists them.
    std::vector<Output> SwayOutputs() const;

  private:
    std::vector<std::string> CompositorCommand() const;
    std::string SocketIn(const std::string& prefix, const std::string& suffix) const;
    bool Answers() const;
    std::string Runtime() const { return folder_.Path() + "run"; }

    Compositor compositor_;
    TempFolder folder_;
    TestUser user_;
    std::unique_ptr<ChildProcess> process_;
    std::string wayland_display_;
    std::string sway_socket_;
    std::string unavailable_;
};

}  // namespace saver::test
