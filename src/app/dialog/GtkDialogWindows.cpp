#include "app/dialog/GtkDialogWindows.h"

#include <gtk/gtk.h>

#include <stdexcept>

#include "base/Files.h"
#include "platform/linux/gtk/GtkSettingsDialog.h"
#include "settings/RegistryOverrides.h"
#include "settings/dialog/TDistributeConfigForm.h"
#include "startup/SaverProcess.h"

namespace saver {

bool OpenGtkDisplay() {
    if (gdk_display_get_default()) {
        return true;
    }
    gdk_set_allowed_backends("x11");
    // The web engine keeps its disk cache and site data in folders named after the
    // program. A saver file's name is its own, so every saver a user ran would leave
    // folders of its own in ~/.cache and ~/.local/share; under this one name they all
    // share ~/.cache/saverhost/ and ~/.local/share/saverhost/.
    g_set_prgname("saverhost");
    return gtk_init_check(nullptr, nullptr);
}

void GtkDialogWindows::RunSettingsDialog(SaverProcess& process) {
    if (!OpenGtkDisplay()) {
        throw std::runtime_error(
            "the settings dialog needs an X display, and none could be opened "
            "(is DISPLAY set?)");
    }
    GtkSettingsDialog window;
    TDistributeConfigForm form(
        SettingsDialogEnvironment{
            process.settings, process.settings_file, process.folders.settings_file,
            process.state.package_present, process.folders.sample_folder,
            [&process](std::string& item) { return process.content.ResolveContentItem(item); },
            LoadPicture, process.platform.registry,
            UserSettingsKey(FileNamePart(process.folders.executable_path)), process.platform.shell},
        window);
    form.Run();
}

void GtkDialogWindows::RunShow(SaverProcess&) {
    throw std::logic_error("the settings dialog's module has no show");
}

void GtkDialogWindows::RunPreview(SaverProcess&) {
    throw std::logic_error("the settings dialog's module has no preview");
}

}  // namespace saver
