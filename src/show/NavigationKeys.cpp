#include "show/NavigationKeys.h"

#include <algorithm>

#include "platform/InputMessage.h"

namespace saver {
namespace {

PageRequest ShowItem(const std::string& item) {
    return PageRequest{true, item};
}
PageRequest ShowNext() {
    return PageRequest{true, std::nullopt};
}

// The item before the one equal to the current page; the last item when there is none
// equal or the equal one is the first.
PageRequest PreviousItem(const std::string& current_page, const ContentList& web) {
    const auto found = std::find(web.begin(), web.end(), current_page);
    if (found == web.end() || found == web.begin()) {
        return ShowItem(web.back());
    }
    return ShowItem(*(found - 1));
}

}  // namespace

PageRequest NavigationKey(uint32_t key_code, const std::string& current_page, ContentList& web,
                          uint8_t& web_sequence) {
    switch (key_code) {
        case VK_PRIOR:
            return web.empty() ? PageRequest{} : PreviousItem(current_page, web);
        case VK_NEXT:
            return ShowNext();
        case VK_END:
            return web.empty() ? PageRequest{} : ShowItem(web.back());
        case VK_HOME:
            return web.empty() ? PageRequest{} : ShowItem(web.front());
        case VK_INSERT:
            web_sequence = web_sequence == 0 ? 1 : 0;
            return PageRequest{};
        case VK_DELETE: {
            const auto found = std::find(web.begin(), web.end(), current_page);
            if (found != web.end()) {
                web.erase(found);
            }
            return ShowNext();
        }
        default:  // Pause, and anything else, does nothing
            return PageRequest{};
    }
}

}  // namespace saver
