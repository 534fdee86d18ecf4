#include "show/FurtherMonitors.h"

namespace saver {

void FurtherMonitors::CoverFurtherMonitors() {
    const std::vector<MonitorArea> monitors = windows_.Monitors();
    if (monitors.empty() || !covers_.empty()) {
        return;
    }
    covers_.reserve(monitors.size() - 1);
    for (size_t i = 1; i < monitors.size(); ++i) {
        covers_.push_back(windows_.CreateCoverWindow(monitors[i]));
    }
}

void FurtherMonitors::HideCovers() {
    for (auto& cover : covers_) {
        cover->Hide();
    }
}

void FurtherMonitors::RemoveCovers() {
    covers_.clear();
}

}  // namespace saver
