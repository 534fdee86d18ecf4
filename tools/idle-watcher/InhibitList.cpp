#include "InhibitList.h"

#include <map>

namespace saver {

uint32_t InhibitList::Add(const std::string& sender) {
    do {
        ++last_cookie_;
    } while (last_cookie_ == 0 || senders_.contains(last_cookie_));
    senders_[last_cookie_] = sender;
    return last_cookie_;
}

bool InhibitList::Remove(uint32_t cookie) {
    return senders_.erase(cookie) > 0;
}

void InhibitList::RemoveSender(const std::string& sender) {
    std::erase_if(senders_, [&sender](const auto& entry) { return entry.second == sender; });
}

}  // namespace saver
