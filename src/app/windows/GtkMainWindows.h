#pragma once

#include "startup/MainWindows.h"

namespace saver {

// The main windows of the run modes on GTK over X11: the settings dialog, the show and
// the preview.
class GtkMainWindows : public MainWindows {
  public:
    // Each throws std::runtime_error when no X display can be opened.
    void RunSettingsDialog(SaverProcess& process) override;
    void RunShow(SaverProcess& process) override;
    void RunPreview(SaverProcess& process) override;
};

// Opens the X display for GTK once; false when there is none.
bool OpenGtkDisplay();

}  // namespace saver
