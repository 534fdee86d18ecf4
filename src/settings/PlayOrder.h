#pragma once

#include "settings/TSaverSetting.h"

#include <cstdint>
#include <random>

namespace saver {

// The play order of the Web list.
enum WebSequenceKind : uint8_t {
    wsNormalize = 0,          // file order, starting again after the last item
    wsShuffle = 1,            // every step picks any item at random
    wsIntelligentRandom = 2,  // shuffled once at start-up, then walked in order
};

using RandomSource = std::mt19937;

// A generator seeded from the clock.
RandomSource ClockSeededRandom();

// A uniformly random index in [0, count). Needs count > 0.
size_t RandomIndexBelow(size_t count, RandomSource& random);

// Puts the list into a uniformly random order.
void ShuffleList(ContentList& list, RandomSource& random);

// The index after `current` (-1 is before the first item) for a list of `count` items.
// Needs count > 0.
int NextContentIndex(uint8_t sequence, int current, int count, RandomSource& random);

}  // namespace saver
