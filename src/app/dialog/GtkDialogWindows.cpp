#include "app/dialog/GtkDialogWindows.h"

#include <gdk/gdkwayland.h>
#include <gtk/gtk.h>

#include <stdexcept>

#include "base/Files.h"
#include "platform/linux/gtk/GtkSettingsDialog.h"
#include "settings/RegistryOverrides.h"
#include "settings/dialog/TDistributeConfigForm.h"
#include "startup/SaverProcess.h"

namespace saver {

namespace {

std::string NoDisplayReason(const std::string& what, DisplayNeed need,
                            const DisplaySession& session) {
    if (need == DisplayNeed::Any) {
        return what +
               " needs a Wayland or X display, and none could be opened (is WAYLAND_DISPLAY or "
               "DISPLAY set?)";
    }
    if (!session.wayland_display.empty() && session.x_display.empty()) {
        return what +
               " draws inside an X window, and this Wayland session has no X display "
               "(DISPLAY is not set)";
    }
    return what + " needs an X display, and none could be opened (is DISPLAY set?)";
}

}  // namespace

void OpenGtkDisplay(const std::string& what, DisplayNeed need) {
    if (GdkDisplay* open = gdk_display_get_default()) {
        if (need == DisplayNeed::X11 && GDK_IS_WAYLAND_DISPLAY(open)) {
            throw std::runtime_error(what + " draws inside an X window, not on Wayland");
        }
        return;
    }
    const DisplaySession session = CurrentDisplaySession();
    const DisplayBackend backend = ChooseDisplayBackend(session, need, IsSocket);
    if (backend == DisplayBackend::None) {
        throw std::runtime_error(NoDisplayReason(what, need, session));
    }
    const bool wayland = backend == DisplayBackend::Wayland;
    const char* name = wayland ? "wayland" : "x11";
    gdk_set_allowed_backends(name);
    // GDK would try only what GDK_BACKEND names (an unknown value included), and the web
    // engine's processes follow it too: it names the choice made here.
    if (!session.gdk_backend.empty()) {
        g_setenv("GDK_BACKEND", name, TRUE);
    }
    // The web engine keeps its disk cache and site data in folders named after the
    // program. A saver file's name is its own, so every saver a user ran would leave
    // folders of its own in ~/.cache and ~/.local/share; under this one name they all
    // share ~/.cache/saverhost/ and ~/.local/share/saverhost/.
    g_set_prgname("saverhost");
    if (!gtk_init_check(nullptr, nullptr)) {
        throw std::runtime_error(what + " could not open the " +
                                 (wayland ? "Wayland display " + session.wayland_display
                                          : "X display " + session.x_display));
    }
}

void GtkDialogWindows::RunSettingsDialog(SaverProcess& process) {
    OpenGtkDisplay("the settings dialog");
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
