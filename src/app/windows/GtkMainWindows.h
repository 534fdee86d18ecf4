#pragma once

#include "startup/MainWindows.h"

namespace saver {

// The main windows of the show and preview modes on GTK over X11. The settings dialog
// is not one of them: RunSettingsDialog returns at once.
class GtkMainWindows : public MainWindows {
  public:
    void RunSettingsDialog(SaverProcess&) override {}
    // Throws std::runtime_error when no X display can be opened.
    void RunShow(SaverProcess& process) override;
    void RunPreview(SaverProcess& process) override;
};

// Opens the X display for GTK once; false when there is none.
bool OpenGtkDisplay();

}  // namespace saver
