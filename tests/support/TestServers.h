#pragma once

#include <memory>
#include <string>

#include "support/ChildProcess.h"

namespace saver::test {

// An X server of the test's own on a free display number. One screen is an Xvfb; several
// are an Xephyr inside an Xvfb, whose screens Xinerama joins side by side into one
// desktop of as many monitors (Xvfb's own Xinerama puts every head at the origin).
class XvfbServer {
  public:
    explicit XvfbServer(int screens = 1, const std::string& size = "800x600");
    // ":N", or empty when the server did not start.
    const std::string& Display() const { return display_; }

  private:
    std::unique_ptr<ChildProcess> host_;
    std::unique_ptr<ChildProcess> process_;
    std::string display_;
};

// The colour at (x, y) of the screen of X display `display`, as "#RRGGBB"; empty when it
// cannot be read.
std::string ScreenColour(const std::string& display, int x, int y);

// A desktop as users have it, on an X server of the test's own: the openbox window
// manager, a tint2 panel of `kPanelHeight` px in `kPanelColour` along the bottom of every
// monitor and, when asked, the picom compositor. Its programs run in `folder` (their
// configuration and home) and end with the object.
class Desktop {
  public:
    static constexpr int kPanelHeight = 32;
    static constexpr const char* kPanelColour = "#00C000";

    Desktop(const std::string& display, const std::string& folder, bool compositor = false);
    // True once the window manager (and the compositor) answer and the panel is on the
    // screen at (`panel_x`, its middle line), within a generous deadline.
    bool Ready(int panel_x = 10) const;

  private:
    std::string display_;
    std::unique_ptr<ChildProcess> window_manager_;
    std::unique_ptr<ChildProcess> panel_;
    std::unique_ptr<ChildProcess> compositor_;
};

// An address on a loopback port where nothing listens: its connection is refused.
std::string RefusedUrl();

// A loopback HTTP server serving the files of `folder`; with `untrusted_tls`, over
// HTTPS with a self-signed certificate that every client refuses.
class HttpServer {
  public:
    explicit HttpServer(const std::string& folder, bool untrusted_tls = false);
    // "http://127.0.0.1:PORT/", or empty when the server did not start.
    const std::string& BaseUrl() const { return base_url_; }

  private:
    std::unique_ptr<ChildProcess> process_;
    std::string base_url_;
};

}  // namespace saver::test
