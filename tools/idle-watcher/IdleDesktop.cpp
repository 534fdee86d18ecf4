#include "IdleDesktop.h"

#include <cstdlib>

#include "MutterDesktop.h"
#include "WaylandDesktop.h"
#include "XDesktop.h"

namespace saver {

std::unique_ptr<IdleDesktop> OpenIdleDesktop(int64_t timeout_ms, std::function<void()> lost) {
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    if (wayland == nullptr || *wayland == '\0') {
        return std::make_unique<XDesktop>();
    }
    auto desktop = std::make_unique<WaylandDesktop>(timeout_ms, lost);
    if (desktop->Watches()) {
        return desktop;
    }
    return std::make_unique<MutterDesktop>(std::move(lost));
}

}  // namespace saver
