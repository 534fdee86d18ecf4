#include "settings/PlayOrder.h"

#include <chrono>

namespace saver {

size_t RandomIndexBelow(size_t count, RandomSource& random) {
    return std::uniform_int_distribution<size_t>(0, count - 1)(random);
}

RandomSource ClockSeededRandom() {
    auto now = std::chrono::high_resolution_clock::now().time_since_epoch().count();
    return RandomSource(static_cast<RandomSource::result_type>(now ^ (now >> 32)));
}

void ShuffleList(ContentList& list, RandomSource& random) {
    ContentList shuffled;
    shuffled.reserve(list.size());
    while (!list.empty()) {
        size_t pick = RandomIndexBelow(list.size(), random);
        shuffled.push_back(std::move(list[pick]));
        list.erase(list.begin() + static_cast<std::ptrdiff_t>(pick));
    }
    list = std::move(shuffled);
}

int NextContentIndex(uint8_t sequence, int current, int count, RandomSource& random) {
    if (sequence == wsShuffle) {
        return static_cast<int>(RandomIndexBelow(static_cast<size_t>(count), random));
    }
    if (current < 0 || current + 1 >= count) {
        return 0;
    }
    return current + 1;
}

}  // namespace saver
