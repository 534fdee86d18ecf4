#pragma once

#include "startup/MainWindows.h"

#include <memory>

namespace saver {

// The main windows, loaded on first use from the windows module carried in the program's
// own file. Throws std::runtime_error, saying why, when the module cannot be loaded.
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

    void* module_ = nullptr;
    std::unique_ptr<MainWindows> windows_;
};

}  // namespace saver
