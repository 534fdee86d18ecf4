#include "feeds/text/PageMarkers.h"

#include <algorithm>

namespace saver {

std::string ReplaceFirstMarkers(std::string page, const std::vector<MarkerText>& markers) {
    struct Slot {
        size_t at;
        const MarkerText* marker;
    };
    std::vector<Slot> slots;
    for (const MarkerText& marker : markers) {
        const size_t at = page.find(marker.marker);
        if (at != std::string::npos) {
            slots.push_back({at, &marker});
        }
    }
    // Replaced from the back, so that the positions found stay valid; overlapping
    // markers cannot both stand, the later one is kept.
    std::sort(slots.begin(), slots.end(), [](const Slot& a, const Slot& b) { return a.at > b.at; });
    size_t limit = std::string::npos;
    for (const Slot& slot : slots) {
        if (slot.at + slot.marker->marker.size() > limit) {
            continue;
        }
        page.replace(slot.at, slot.marker->marker.size(), slot.marker->text);
        limit = slot.at;
    }
    return page;
}

}  // namespace saver
