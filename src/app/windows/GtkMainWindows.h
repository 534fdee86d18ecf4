#pragma once

#include "app/dialog/GtkDialogWindows.h"

namespace saver {

// The main windows of the run modes on GTK over Wayland or X11: the show and the preview, and the
// settings dialog as the dialog module has it.
class GtkMainWindows : public GtkDialogWindows {
  public:
    // Each throws std::runtime_error when no display it can use can be opened: the show
    // opens on Wayland or X11, the preview and a hosted show on X11 alone.
    void RunShow(SaverProcess& process) override;
    void RunPreview(SaverProcess& process) override;
};

}  // namespace saver
