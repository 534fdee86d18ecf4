#include "settings/PlayOrder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace saver {
namespace {

TEST(PlayOrderTest, ShuffleIsAPermutation) {
    RandomSource random(1);
    ContentList list{"a", "b", "c", "d", "e", "f"};
    ContentList shuffled = list;
    ShuffleList(shuffled, random);
    EXPECT_TRUE(std::is_permutation(shuffled.begin(), shuffled.end(), list.begin(), list.end()));
    ContentList empty;
    ShuffleList(empty, random);
    EXPECT_TRUE(empty.empty());
}

TEST(PlayOrderTest, ShuffleReachesEveryOrder) {
    RandomSource random(2);
    std::set<ContentList> seen;
    for (int i = 0; i < 600; ++i) {
        ContentList list{"a", "b", "c"};
        ShuffleList(list, random);
        seen.insert(list);
    }
    EXPECT_EQ(seen.size(), 6u);
}

TEST(PlayOrderTest, WalksInOrderAndWraps) {
    RandomSource random(3);
    for (uint8_t sequence : {uint8_t{0}, uint8_t{2}, uint8_t{7}}) {
        std::vector<int> walk;
        int index = -1;
        for (int step = 0; step < 7; ++step) {
            index = NextContentIndex(sequence, index, 3, random);
            walk.push_back(index);
        }
        EXPECT_EQ(walk, (std::vector<int>{0, 1, 2, 0, 1, 2, 0})) << int(sequence);
    }
}

TEST(PlayOrderTest, ShufflePicksAnyIndex) {
    RandomSource random(4);
    std::set<int> seen;
    for (int step = 0; step < 200; ++step) {
        int index = NextContentIndex(wsShuffle, 0, 4, random);
        ASSERT_GE(index, 0);
        ASSERT_LT(index, 4);
        seen.insert(index);
        EXPECT_EQ(NextContentIndex(wsShuffle, -1, 1, random), 0);
    }
    EXPECT_EQ(seen.size(), 4u);
}

}  // namespace
}  // namespace saver
