#include "LazyMainWindows.h"

#include "app/EmbeddedModule.h"
#include "base/StartTrace.h"

extern "C" const char saverhost_windows_plugin_start[];
extern "C" const char saverhost_windows_plugin_end[];
extern "C" const char saverhost_dialog_plugin_start[];
extern "C" const char saverhost_dialog_plugin_end[];

namespace saver {

namespace {

using CreateMainWindows = MainWindows* (*)();

const EmbeddedModule kWindowsModule{"windows module", saverhost_windows_plugin_start,
                                    saverhost_windows_plugin_end};
const EmbeddedModule kDialogModule{"settings dialog's module", saverhost_dialog_plugin_start,
                                   saverhost_dialog_plugin_end};

// Loads an embedded window module and creates its main windows.
MainWindows* LoadMainWindows(const EmbeddedModule& embedded) {
    return reinterpret_cast<CreateMainWindows>(
        LoadEmbeddedModule(embedded, "SaverhostCreateMainWindows"))();
}

}  // namespace

LazyMainWindows::LazyMainWindows() = default;

LazyMainWindows::~LazyMainWindows() = default;

MainWindows& LazyMainWindows::Windows() {
    if (!windows_) {
        windows_.reset(LoadMainWindows(kWindowsModule));
        TraceStartStep("windows module loaded");
    }
    return *windows_;
}

void LazyMainWindows::RunSettingsDialog(SaverProcess& process) {
    if (!dialog_) {
        dialog_.reset(LoadMainWindows(kDialogModule));
    }
    dialog_->RunSettingsDialog(process);
}

void LazyMainWindows::RunShow(SaverProcess& process) {
    Windows().RunShow(process);
}

void LazyMainWindows::RunPreview(SaverProcess& process) {
    Windows().RunPreview(process);
}

uint64_t LazyMainWindows::ForegroundWindow() {
    return Windows().ForegroundWindow();
}

void LazyMainWindows::ActivateWindow(uint64_t window) {
    Windows().ActivateWindow(window);
}

}  // namespace saver
