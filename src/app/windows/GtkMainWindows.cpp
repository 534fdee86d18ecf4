#include "app/windows/GtkMainWindows.h"

#include <gtk/gtk.h>

#include <cstdio>
#include <stdexcept>

#include "app/windows/ShowCompanionSet.h"
#include "base/Files.h"
#include "platform/linux/gtk/ForeignWindow.h"
#include "platform/linux/gtk/GtkPreviewWindow.h"
#include "platform/linux/gtk/GtkWindowSystem.h"
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

}  // namespace

void GtkMainWindows::RunShow(SaverProcess& process) {
    if (!OpenGtkDisplay()) {
        throw std::runtime_error(
            "the show needs an X display, and none could be opened "
            "(is DISPLAY set?)");
    }
    WireTimerDispatcher();
    SetWebSandboxFolders(UnpackedFolders(process.folders));
    GtkWindowSystem windows(process.state.host);
    XInputHook hook;
    ShowCompanionSet companions(process, windows);
    const std::string cache = process.platform.folders.CacheFolder();
    ShowSession session(ShowEnvironment{
        process.settings,
        ResolveBesideTheLoop(
            windows,
            [&process](std::string& item) { return process.content.ResolveContentItem(item); }),
        process.random, windows, process.platform.shell, hook, companions,
        process.state.executable_form, process.state.host.hosted,
        cache.empty()
            ? ""
            : cache + "saverhost/" + OfflineCopiesFolderName(process.folders.saver_name)});
    session.Run();
}

void GtkMainWindows::RunPreview(SaverProcess& process) {
    if (!OpenGtkDisplay()) {
        throw std::runtime_error(
            "the preview needs an X display, and none could be opened "
            "(is DISPLAY set?)");
    }
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
