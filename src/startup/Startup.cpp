#include "startup/Startup.h"

#include "base/Files.h"
#include "base/StartTrace.h"
#include "startup/InstallCommand.h"
#include "startup/PasswordChange.h"
#include "startup/SaverProcess.h"
#include "startup/WorkingFolderCleaner.h"

#include <cstdio>
#include <cstdlib>

namespace saver {

namespace {

void Dispatch(SaverProcess& process, MainWindows& windows) {
    const StartupState& state = process.state;
    if (state.executable_form) {
        windows.RunShow(process);
        return;
    }
    switch (state.run_mode) {
        case rmPassword:
            if (state.window_handle != 0) {
                ChangeSaverPassword(process.platform.library_loader, process.folders.system_folder,
                                    state.window_handle);
            }
            break;
        case rmShow:
            windows.RunShow(process);
            if (state.previous_foreground_window != 0) {
                windows.ActivateWindow(state.previous_foreground_window);
            }
            break;
        case rmPreview:
            windows.RunPreview(process);
            break;
        default:
            windows.RunSettingsDialog(process);
            break;
    }
}

// Empties the working folder when start-up returns, whichever way it returns.
struct WorkingFolderScope {
    const SaverFolders& folders;
    ~WorkingFolderScope() { ClearWorkingFolder(folders.working_folder, folders.disk_folder); }
};

// The working folder is shared by every saver of this kind and belongs to the process
// that holds the instance lock. That process starts it empty (what a run ended by
// SIGKILL left is never taken for what this saver carries) and empties it however it
// ends; a process turned away by the lock never touches it.
void TakeOverWorkingFolder(const SaverFolders& folders) {
    ClearWorkingFolder(folders.working_folder, folders.disk_folder);
    ClearWorkingFolderAtExit(folders.working_folder, folders.disk_folder);
}

}  // namespace

int RunSaver(const Arguments& arguments, Platform& platform, MainWindows& windows) {
    SaverProcess process(platform);
    process.folders = PrepareFolders(platform.folders, platform.registry);
    if (HandleInstallCommand(arguments, process.folders, platform.shell)) {
        return 0;
    }
    if (!platform.instance_lock.TryAcquire(kInstanceLockName)) {
        return 0;
    }
    TakeOverWorkingFolder(process.folders);
    WorkingFolderScope clear_at_end{process.folders};
    process.state = ParseCommandLine(arguments);
    process.state.host = ReadHostWindow(arguments, std::getenv("XSCREENSAVER_WINDOW"));
    if (process.state.run_mode == rmShow) {
        process.state.previous_foreground_window = windows.ForegroundWindow();
    }
    TraceStartStep("folders and lock");
    LoadSaver(process, FileNamePart(process.folders.executable_path));
    TraceStartStep("package, settings and lists loaded");
    if (!process.package_problem.empty()) {
        std::fprintf(stderr, "saverhost: the saver package is damaged: %s\n",
                     process.package_problem.c_str());
    }
    Dispatch(process, windows);
    return 0;
}

}  // namespace saver
