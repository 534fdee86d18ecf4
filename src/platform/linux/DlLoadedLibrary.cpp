#include "platform/linux/DlLoadedLibrary.h"

#include <dlfcn.h>
#include <link.h>

namespace saver {

DlLoadedLibrary::DlLoadedLibrary(void* handle) : handle_(handle) {}

DlLoadedLibrary::~DlLoadedLibrary() {
    dlclose(handle_);
}

void* DlLoadedLibrary::Symbol(const std::string& name) const {
    void* address = dlsym(handle_, name.c_str());
    link_map* own = nullptr;
    link_map* holder = nullptr;
    Dl_info info{};
    if (address == nullptr || dlinfo(handle_, RTLD_DI_LINKMAP, &own) != 0 ||
        dladdr1(address, &info, reinterpret_cast<void**>(&holder), RTLD_DL_LINKMAP) == 0) {
        return nullptr;
    }
    return holder == own ? address : nullptr;
}

}  // namespace saver
