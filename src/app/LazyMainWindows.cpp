#include "LazyMainWindows.h"

#include <stdexcept>
#include <string>

#include <dlfcn.h>
#include <sys/mman.h>
#include <unistd.h>

extern "C" const char saverhost_windows_plugin_start[];
extern "C" const char saverhost_windows_plugin_end[];

namespace saver {

namespace {

using CreateMainWindows = MainWindows* (*)();

// Loads the embedded module through an anonymous in-memory file, so nothing is written
// to disk and nothing can be swapped in under the program.
void* LoadEmbeddedModule() {
    int fd = ::memfd_create("saverhost-windows", MFD_CLOEXEC);
    if (fd < 0) {
        throw std::runtime_error("cannot make an in-memory file for the windows module");
    }
    const char* bytes = saverhost_windows_plugin_start;
    size_t left =
        static_cast<size_t>(saverhost_windows_plugin_end - saverhost_windows_plugin_start);
    while (left > 0) {
        ssize_t written = ::write(fd, bytes, left);
        if (written <= 0) {
            ::close(fd);
            throw std::runtime_error("cannot write the windows module into memory");
        }
        bytes += written;
        left -= static_cast<size_t>(written);
    }
    const std::string path = "/proc/self/fd/" + std::to_string(fd);
    void* module = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    ::close(fd);
    if (module == nullptr) {
        const char* error = ::dlerror();
        throw std::runtime_error(std::string("cannot load the windows module: ") +
                                 (error != nullptr ? error : "unknown error"));
    }
    return module;
}

}  // namespace

LazyMainWindows::LazyMainWindows() = default;

LazyMainWindows::~LazyMainWindows() {
    // The module stays loaded: GTK and WebKit keep threads and handlers that outlive it.
    windows_.reset();
}

MainWindows& LazyMainWindows::Windows() {
    if (!windows_) {
        module_ = LoadEmbeddedModule();
        auto create =
            reinterpret_cast<CreateMainWindows>(::dlsym(module_, "SaverhostCreateMainWindows"));
        if (create == nullptr) {
            throw std::runtime_error("the windows module has no entry point");
        }
        windows_.reset(create());
    }
    return *windows_;
}

void LazyMainWindows::RunSettingsDialog(SaverProcess& process) {
    Windows().RunSettingsDialog(process);
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
