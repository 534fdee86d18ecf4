#include "feeds/fetch/FeedChoice.h"

#include <random>

namespace saver {

int NormalFeedIndex(int index, int count) {
    if (index >= count) {
        return 0;
    }
    return index < 0 ? count - 1 : index;
}

int RandomFeedIndex(int count, RandomSource& random) {
    return std::uniform_int_distribution<int>(0, count - 1)(random);
}

int FirstFeedIndex(bool random_feed, int count, RandomSource& random) {
    return random_feed ? RandomFeedIndex(count, random) : 0;
}

int NextFeedIndex(bool random_feed, int current, int count, RandomSource& random) {
    return random_feed ? RandomFeedIndex(count, random) : NormalFeedIndex(current + 1, count);
}

std::string FeedAddress(const IniFile& file, const std::string& name) {
    return file.ReadString("feeds", name);
}

}  // namespace saver
