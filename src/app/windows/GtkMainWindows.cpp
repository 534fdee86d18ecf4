#include "app/windows/GtkMainWindows.h"

#include <gtk/gtk.h>

#include <cstdio>
#include <memory>
#include <stdexcept>

#include "app/windows/ShowCompanionSet.h"
#include "base/Files.h"
#include "base/StartTrace.h"
#include "platform/linux/gtk/ForeignWindow.h"
#include "platform/linux/gtk/GtkPreviewWindow.h"
#include "platform/linux/gtk/GtkWindowSystem.h"
#include "platform/linux/gtk/WaylandInputHook.h"
#include "platform/linux/gtk/WaylandOutputs.h"
#include "platform/linux/gtk/WebContexts.h"
#include "platform/linux/gtk/XInputHook.h"
#include "show/PreviewDesign.h"
#include "show/ShowSession.h"
#include "show/WorkBesideTheLoop.h"
#include "startup/SaverProcess.h"

namespace saver {
namespace {

// The folders of the saver's unpacked files, readable to the sandboxed web processes:
// the working folder and the folder of large unpacked files (made now, since the
// sandbox is set up before the first page).
std::vector<std::string> UnpackedFolders(const SaverFolders& folders) {
    if (!folders.disk_folder.empty()) {
        ForceDirectories(folders.disk_folder);
    }
    return {folders.working_folder, folders.disk_folder};
}

// The system-wide input hook of the display server GTK opened.
std::unique_ptr<InputHook> MakeInputHook(GtkWindowSystem& windows) {
    if (IsWaylandDisplay(gdk_display_get_default())) {
        return std::make_unique<WaylandInputHook>(windows);
    }
    return std::make_unique<XInputHook>();
}

}  // namespace

void GtkMainWindows::RunShow(SaverProcess& process) {
    // A display mode draws inside the X window its host lends; the show of its own opens
    // on Wayland or X11, as the session offers.
    if (process.state.host.hosted) {
        OpenGtkDisplay("a display mode of xscreensaver (--root, --window-id)", DisplayNeed::X11);
    } else {
        OpenGtkDisplay("the show");
    }
    TraceStartStep("display open");
    WireTimerDispatcher();
    SetWebSandboxFolders(UnpackedFolders(process.folders));
    GtkWindowSystem windows(process.state.host);
    std::unique_ptr<InputHook> hook = MakeInputHook(windows);
    ShowCompanionSet companions(process, windows);
    TraceStartStep("companions made");
    const std::string cache = process.platform.folders.CacheFolder();
    ShowSession session(ShowEnvironment{
        process.settings,
        ResolveBesideTheLoop(
            windows,
            [&process](std::string& item) { return process.content.ResolveContentItem(item); }),
        process.random, windows, process.platform.shell, *hook, companions,
        process.state.executable_form, process.state.host.hosted,
        cache.empty()
            ? ""
            : cache + "saverhost/" + OfflineCopiesFolderName(process.folders.saver_name)});
    TraceStartStep("show window made");
    session.Run();
}

void GtkMainWindows::RunPreview(SaverProcess& process) {
    OpenGtkDisplay("the preview (/p)", DisplayNeed::X11);
    const uint64_t parent = static_cast<uint32_t>(process.state.window_handle);
    if (parent != 0 && !ForeignWindowArea(parent)) {
        // The window to draw into is gone (or never was): nothing to show.
        std::fprintf(stderr, "saverhost: no window %llu to show the preview in\n",
                     static_cast<unsigned long long>(parent));
        return;
    }
    GtkPreviewWindow window;
    RunPreviewWindow(
        window, process.settings,
        [&process](std::string& item) { return process.content.ResolveContentItem(item); },
        process.folders.saver_name, parent);
}

}  // namespace saver
