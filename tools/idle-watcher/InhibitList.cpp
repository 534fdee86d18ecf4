#include "InhibitList.h"

#include <algorithm>
#include <map>
#include <random>

namespace saver {

namespace {

uint32_t SystemRandom() {
    static std::random_device device;
    return device();
}

}  // namespace

InhibitList::InhibitList(std::function<uint32_t()> random)
    : random_(random ? std::move(random) : SystemRandom) {}

std::optional<uint32_t> InhibitList::Add(const std::string& sender) {
    const auto held = std::count_if(senders_.begin(), senders_.end(), [&sender](const auto& entry) {
        return entry.second == sender;
    });
    if (static_cast<size_t>(held) >= kMaxPerSender) {
        return std::nullopt;
    }
    uint32_t cookie = 0;
    do {
        cookie = random_();
    } while (cookie == 0 || senders_.contains(cookie));
    senders_[cookie] = sender;
    return cookie;
}

bool InhibitList::Remove(uint32_t cookie, const std::string& sender) {
    const auto found = senders_.find(cookie);
    if (found == senders_.end() || found->second != sender) {
        return false;
    }
    senders_.erase(found);
    return true;
}

void InhibitList::RemoveSender(const std::string& sender) {
    std::erase_if(senders_, [&sender](const auto& entry) { return entry.second == sender; });
}

}  // namespace saver
