#pragma once

#include <cstdint>

namespace saver {

struct SaverProcess;

// The main windows of the run modes. Start-up dispatch creates the one its run mode
// needs and runs the message loop until that window closes; each Run* returns when the
// loop has ended. Implementations that have no window for a mode return at once.
class MainWindows {
  public:
    virtual ~MainWindows() = default;

    // Settings dialog (run modes 1 and 2).
    virtual void RunSettingsDialog(SaverProcess& process) = 0;
    // Full-screen web show (run mode 3, and the executable form).
    virtual void RunShow(SaverProcess& process) = 0;
    // Preview inside the window `process.state.window_handle` (run mode 4).
    virtual void RunPreview(SaverProcess& process) = 0;

    // The window that has the focus now (0 for none), and giving the focus back to it.
    // Start-up records it when show mode starts and restores it when the loop ends.
    virtual uint64_t ForegroundWindow() { return 0; }
    virtual void ActivateWindow(uint64_t /*window*/) {}
};

}  // namespace saver
