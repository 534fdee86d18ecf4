#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "base/BackgroundWorker.h"
#include "platform/InputHook.h"
#include "platform/Shell.h"
#include "platform/WindowSystem.h"
#include "settings/PlayOrder.h"
#include "settings/TSaverSetting.h"
#include "show/ExitFilter.h"
#include "show/FurtherMonitors.h"
#include "show/OfflineCopies.h"
#include "show/ShowCompanions.h"

namespace saver {

class TWebFullscreenForm;

// What the show is given by start-up.
struct ShowEnvironment {
    TSaverSetting& settings;
    // Turns a content item into an address or a full path; true when it is available.
    std::function<bool(std::string&)> resolve;
    RandomSource& random;
    WindowSystem& windows;
    Shell& shell;
    InputHook& hook;
    ShowCompanions& companions;
    bool executable_form = false;
    // Run inside a window of another program (xscreensaver), which takes the input and
    // ends the show: the exit conditions are not applied and no input hook is installed.
    bool hosted = false;
    // Where this saver keeps copies of its web pages (ends with "/"); empty for none.
    std::string offline_copies_folder;
};

// One run of the web show: the main show window, the secondary show windows inside the
// cover windows of further monitors, the exit filter with its mouse-move countdown and
// the system-wide input hook.
class ShowSession {
  public:
    explicit ShowSession(const ShowEnvironment& environment);
    ~ShowSession();
    ShowSession(const ShowSession&) = delete;
    ShowSession& operator=(const ShowSession&) = delete;

    // Shows the main show window and runs the message loop until the show ends.
    void Run();

    const ShowEnvironment& Environment() const { return environment_; }
    TSaverSetting& Settings() const { return environment_.settings; }
    ExitFilter& Filter() { return filter_; }
    FurtherMonitors& Covers() { return covers_; }
    // The kept copies of web pages; null when the saver keeps none.
    OfflineCopies* Copies();
    // Keeps `archive` as the copy of `address` on a thread of its own: a copy may be
    // hundreds of megabytes, and the show's input must not wait for the disk.
    void StoreCopyInBackground(const std::string& address, std::string archive);
    TWebFullscreenForm& MainForm() { return *main_; }
    const std::vector<std::unique_ptr<TWebFullscreenForm>>& SecondaryForms() const {
        return secondary_;
    }

    // Closes a show window: the main one ends the show, a secondary one is hidden.
    void CloseShow(TWebFullscreenForm& form);
    // A secondary show window in each cover window, each shown at once.
    void CreateSecondaryForms();
    // Takes the secondary show windows off the screen; they are freed when the loop ends.
    void HideSecondaryForms();
    // Counts a page-timer tick towards installing the system-wide input hook.
    void HookTick(bool newer_system);
    void RemoveHook();
    bool HandleTickerInput(const InputMessage& message) const;

  private:
    ShowEnvironment environment_;
    ExitFilter filter_;
    FurtherMonitors covers_;
    OfflineCopies copies_;
    BackgroundWorker copy_writer_;  // after copies_: it goes first, ending its write
    std::unique_ptr<TWebFullscreenForm> main_;
    std::vector<std::unique_ptr<TWebFullscreenForm>> secondary_;
    int hook_tick_counter_ = 1;
};

}  // namespace saver
