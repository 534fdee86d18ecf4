#pragma once

#include "startup/MainWindows.h"

#include <memory>

namespace saver {

// The main windows, loaded on first use from the modules carried in the program's own
// file: the settings dialog from the dialog module, everything else from the windows
// module. Throws std::runtime_error, saying why, when a module cannot be loaded.
class LazyMainWindows : public MainWindows {
  public:
    LazyMainWindows();
    ~LazyMainWindows() override;

    void RunSettingsDialog(SaverProcess& process) override;
    void RunShow(SaverProcess& process) override;
    void RunPreview(SaverProcess& process) override;
    uint64_t ForegroundWindow() override;
    void ActivateWindow(uint64_t window) override;

  private:
    MainWindows& Windows();

    std::unique_ptr<MainWindows> windows_;
    std::unique_ptr<MainWindows> dialog_;
};

}  // namespace saver
