#pragma once

#include <string>

#include "settings/IniFile.h"
#include "settings/PlayOrder.h"

namespace saver {

// Which feed of the feed list (of `count` > 0 names) the ticker loads.

// An index at or past the end wraps to the first feed, one before the start to the last.
int NormalFeedIndex(int index, int count);
// The first feed after a start: the first, or any one when `random_feed` is set.
int FirstFeedIndex(bool random_feed, int count, RandomSource& random);
// The feed after `current`: the next (the first after the last), or any one, the same
// included, when `random_feed` is set.
int NextFeedIndex(bool random_feed, int current, int count, RandomSource& random);
// Any feed.
int RandomFeedIndex(int count, RandomSource& random);

// The address of the feed `name` of the feed list: its value in section "feeds".
std::string FeedAddress(const IniFile& file, const std::string& name);

}  // namespace saver
