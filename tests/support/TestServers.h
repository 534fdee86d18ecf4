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
