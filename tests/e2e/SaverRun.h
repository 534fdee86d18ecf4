#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "support/ChildProcess.h"
#include "support/Deadline.h"
#include "support/Eventually.h"
#include "support/TestServers.h"

struct _XDisplay;

namespace saver::test {

// What a shell command writes on its standard output.
std::string CommandOutput(const std::string& command);

// One end-to-end run of a real saver file: its own X server, a loopback server for its
// pages that reports every request, a private user environment (runtime, home and
// working folders) and a recording stand-in for xdg-open first on PATH.
class SaverRun {
  public:
    SaverRun();
    ~SaverRun();

    // Starts Xvfb with `screens` monitors of 800 x 600.
    bool StartX(int screens = 1);
    // The X server's display (":N").
    const std::string& Display() const;
    // The address of a page of tests/data/show/site on the loopback server.
    std::string Url(const std::string& page) const;
    // Stops the loopback server: from now on its pages are refused.
    void StopServer();
    // Builds the saver from "[Set]" lines and the Web list with saverpack, the files of
    // Folder() + "/content" in its package and `items` as package items.
    bool MakeSaver(const std::string& set_lines, const std::vector<std::string>& web,
                   const std::vector<std::string>& items = {});
    // Builds the saver from the bytes of a whole settings file, the content folder and
    // `items` as package items.
    bool MakeSaverFromSettings(const std::string& settings_bytes,
                               const std::vector<std::string>& items = {});
    // Starts the saver with `arguments`, in `current_folder` when one is given; with
    // `capture_errors` its standard error is kept for ErrorOutput (for short runs: it is
    // read only at the end) instead of going to the test's own.
    void Start(const std::vector<std::string>& arguments = {"/s"}, bool capture_errors = false,
               const std::string& current_folder = "");
    // Starts another program (`argv`) in the saver's place, in the same environment, in
    // `current_folder` when one is given.
    void StartProgram(const std::vector<std::string>& argv, bool capture_errors = false,
                      const std::string& current_folder = "");
    // The saver file MakeSaver made.
    std::string SaverFile() const { return folder_ + saver_file_; }
    // StartX, MakeSaver with the addresses of `pages` of the site, and Start with "/s";
    // false when the X server or the saver could not be made.
    bool StartShow(const std::string& set_lines, const std::vector<std::string>& pages);
    // Starts the saver as a file named "Test.EXE", as a user starts a saver program.
    void StartAsProgram(const std::vector<std::string>& arguments);

    // The next request of the pages for a path ending in ".htm" or starting "/key-"
    // or "/after-"; empty when none comes within `timeout_ms`.
    std::string NextPage(int timeout_ms = kColdStartMs);
    // Waits up to `timeout_ms` for a request of `path`, skipping others.
    bool WaitFor(const std::string& path, int timeout_ms = kColdStartMs);
    // Waits until a window named `name` is mapped and viewable on the saver's display.
    bool WaitForWindow(const std::string& name, int timeout_ms = kColdStartMs) const;
    // Runs xdotool with `arguments` on the saver's display.
    void Xdo(const std::string& arguments) const;
    // Saves the whole screen; false when that failed.
    bool Screenshot(const std::string& file) const;
    // The colour at (x, y) of a screenshot as "#RRGGBB".
    static std::string PixelColour(const std::string& file, int x, int y);
    // The colour at (x, y) of the screen now, read straight from the X server (fast
    // enough to sample many times a second); empty when it cannot be read.
    std::string ScreenColour(int x, int y) const;
    // True when the saver ended within `timeout_ms`; its status is then `ExitStatus`.
    bool Ended(int timeout_ms = kColdStartMs);
    int ExitStatus() const { return exit_status_; }
    // What the saver started with `capture_errors` wrote on standard error, once it ended.
    std::string ErrorOutput();
    // The files left below the working folder.
    std::vector<std::string> WorkingFiles() const;
    // The files of the saver host's folder in the user's cache folder, but for the web
    // engine's own cache there.
    std::vector<std::string> CacheFiles() const;
    // What the xdg-open stand-in was asked to open, one line each.
    std::vector<std::string> Opened() const;
    // A plain window of the test's own on the saver's display, as the display settings
    // lend one for the preview; its id.
    unsigned long CreateParentWindow(int x, int y, int width, int height);
    void DestroyParentWindow();
    // How many child windows the parent window holds.
    int ParentChildren() const;
    pid_t SaverPid() const { return saver_ ? saver_->Pid() : -1; }
    // The program Start or StartProgram started.
    ChildProcess& Program() { return *saver_; }
    const std::string& Folder() const { return folder_; }

    // Further options for saverpack build (such as package items).
    std::string build_options;

  private:
    std::string folder_;
    std::unique_ptr<XvfbServer> x_;
    std::unique_ptr<ChildProcess> server_;
    std::unique_ptr<ChildProcess> saver_;
    std::string base_url_;
    std::string saver_file_ = "/test.scr";
    int exit_status_ = -1;
    ::_XDisplay* display_ = nullptr;
    unsigned long parent_ = 0;
};

}  // namespace saver::test
