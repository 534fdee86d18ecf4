#include "LazyMainWindows.h"

#include <stdexcept>
#include <string>

#include <dlfcn.h>
#include <sys/mman.h>
#include <unistd.h>

extern "C" const char saverhost_windows_plugin_start[];
extern "C" const char saverhost_windows_plugin_end[];
extern "C" const char saverhost_dialog_plugin_start[];
extern "C" const char saverhost_dialog_plugin_end[];

namespace saver {

namespace {

using CreateMainWindows = MainWindows* (*)();

// A module carried in the program's file: its name in messages and its bytes.
struct EmbeddedModule {
    const char* name;
    const char* start;
    const char* end;
};

const EmbeddedModule kWindowsModule{"windows module", saverhost_windows_plugin_start,
                                    saverhost_windows_plugin_end};
const EmbeddedModule kDialogModule{"settings dialog's module", saverhost_dialog_plugin_start,
                                   saverhost_dialog_plugin_end};

// Loads an embedded module through an anonymous in-memory file, so nothing is written to
// disk and nothing can be swapped in under the program, and creates its main windows.
MainWindows* LoadEmbeddedModule(const EmbeddedModule& embedded) {
    int fd = ::memfd_create("saverhost-module", MFD_CLOEXEC);
    if (fd < 0) {
        throw std::runtime_error(std::string("cannot make an in-memory file for the ") +
                                 embedded.name);
    }
    const char* bytes = embedded.start;
    size_t left = static_cast<size_t>(embedded.end - embedded.start);
    while (left > 0) {
        ssize_t written = ::write(fd, bytes, left);
        if (written <= 0) {
            ::close(fd);
            throw std::runtime_error(std::string("cannot write the ") + embedded.name +
                                     " into memory");
        }
        bytes += written;
        left -= static_cast<size_t>(written);
    }
    const std::string path = "/proc/self/fd/" + std::to_string(fd);
    // The module stays loaded: GTK and WebKit keep threads and handlers that outlive it.
    void* module = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    ::close(fd);
    if (module == nullptr) {
        const char* error = ::dlerror();
        throw std::runtime_error(std::string("cannot load the ") + embedded.name + ": " +
                                 (error != nullptr ? error : "unknown error"));
    }
    auto create =
        reinterpret_cast<CreateMainWindows>(::dlsym(module, "SaverhostCreateMainWindows"));
    if (create == nullptr) {
        throw std::runtime_error(std::string("the ") + embedded.name + " has no entry point");
    }
    return create();
}

}  // namespace

LazyMainWindows::LazyMainWindows() = default;

LazyMainWindows::~LazyMainWindows() = default;

MainWindows& LazyMainWindows::Windows() {
    if (!windows_) {
        windows_.reset(LoadEmbeddedModule(kWindowsModule));
    }
    return *windows_;
}

void LazyMainWindows::RunSettingsDialog(SaverProcess& process) {
    if (!dialog_) {
        dialog_.reset(LoadEmbeddedModule(kDialogModule));
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
