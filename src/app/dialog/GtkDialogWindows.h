#pragma once

#include <string>

#include "platform/linux/gtk/DisplayBackend.h"
#include "startup/MainWindows.h"

namespace saver {

// The settings dialog of run modes 1 and 2 on GTK: all of the dialog module, which needs
// GTK but neither the web engine nor the media libraries, so the dialog opens without
// loading them. The show and the preview are not here (GtkMainWindows has them).
class GtkDialogWindows : public MainWindows {
  public:
    // Throws std::runtime_error when no display can be opened.
    void RunSettingsDialog(SaverProcess& process) override;
    // Throw std::logic_error: the dialog module has no show and no preview.
    void RunShow(SaverProcess& process) override;
    void RunPreview(SaverProcess& process) override;
};

// Opens GTK's display once, on the display server the session offers (Wayland when it
// has one, else X11; see ChooseDisplayBackend). Throws std::runtime_error with a one-line
// reason naming `what` (the run mode: "the show") when there is none it can use.
void OpenGtkDisplay(const std::string& what, DisplayNeed need = DisplayNeed::Any);

}  // namespace saver
