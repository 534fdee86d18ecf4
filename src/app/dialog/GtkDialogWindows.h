#pragma once

#include "startup/MainWindows.h"

namespace saver {

// The settings dialog of run modes 1 and 2 on GTK: all of the dialog module, which needs
// GTK but neither the web engine nor the media libraries, so the dialog opens without
// loading them. The show and the preview are not here (GtkMainWindows has them).
class GtkDialogWindows : public MainWindows {
  public:
    // Throws std::runtime_error when no X display can be opened.
    void RunSettingsDialog(SaverProcess& process) override;
    // Throw std::logic_error: the dialog module has no show and no preview.
    void RunShow(SaverProcess& process) override;
    void RunPreview(SaverProcess& process) override;
};

// Opens the X display for GTK once; false when there is none.
bool OpenGtkDisplay();

}  // namespace saver
