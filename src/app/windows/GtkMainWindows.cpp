#include "app/windows/GtkMainWindows.h"

#include <gtk/gtk.h>

#include <cstdio>
#include <stdexcept>

#include "app/windows/ShowCompanionSet.h"
#include "base/StartTrace.h"
#include "platform/linux/gtk/ForeignWindow.h"
#include "platform/linux/gtk/GtkPreviewWindow.h"
#include "platform/linux/gtk/GtkWindowSystem.h"
#include "platform/linux/gtk/XInputHook.h"
#include "show/PreviewDesign.h"
#include "show/ShowSession.h"
#include "startup/SaverProcess.h"

namespace saver {

void GtkMainWindows::RunShow(SaverProcess& process) {
    if (!OpenGtkDisplay()) {
        throw std::runtime_error(
            "the show needs an X display, and none could be opened "
            "(is DISPLAY set?)");
    }
    TraceStartStep("display open");
    WireTimerDispatcher();
    GtkWindowSystem windows(process.state.host);
    XInputHook hook;
    ShowCompanionSet companions(process, windows);
    TraceStartStep("companions made");
    const std::string cache = process.platform.folders.CacheFolder();
    ShowSession session(ShowEnvironment{
        process.settings,
        [&process](std::string& item) { return process.content.ResolveContentItem(item); },
        process.random, windows, process.platform.shell, hook, companions,
        process.state.executable_form, process.state.host.hosted,
        cache.empty()
            ? ""
            : cache + "saverhost/" + OfflineCopiesFolderName(process.folders.saver_name)});
    TraceStartStep("show window made");
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
