#include "app/EmbeddedModule.h"

#include <stdexcept>
#include <string>

#include <dlfcn.h>
#include <sys/mman.h>
#include <unistd.h>

namespace saver {

void* LoadEmbeddedModule(const EmbeddedModule& embedded, const char* entry_point) {
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
    // The module stays loaded: the libraries it brings keep threads and handlers that
    // outlive what it made.
    void* module = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    ::close(fd);
    if (module == nullptr) {
        const char* error = ::dlerror();
        throw std::runtime_error(std::string("cannot load the ") + embedded.name + ": " +
                                 (error != nullptr ? error : "unknown error"));
    }
    void* entry = ::dlsym(module, entry_point);
    if (entry == nullptr) {
        throw std::runtime_error(std::string("the ") + embedded.name + " has no entry point");
    }
    return entry;
}

}  // namespace saver
