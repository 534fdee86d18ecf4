#include "music/TMyMusicSet.h"

namespace saver {

void SetPlaylist(TMyMusicSet& set, const ContentList& list, bool random_order, bool loop,
                 RandomSource& random) {
    set.playlist = list;
    set.random = random_order;
    set.loop = loop;
    random = ClockSeededRandom();
    set.current_item.clear();
    set.position = -1;
    set.played_count = -1;
}

void NextMusicItem(TMyMusicSet& set, RandomSource& random) {
    set.current_item.clear();
    if (set.playlist.empty()) {
        return;
    }
    const int count = static_cast<int>(set.playlist.size());
    const auto random_index = [&] {
        return static_cast<int>(RandomIndexBelow(set.playlist.size(), random));
    };
    if (set.random) {
        // Picks may repeat; without loop as many picks as there are items are played.
        ++set.played_count;
        set.position = set.loop || set.played_count < count ? random_index() : -1;
    } else {
        set.position = set.position == -1 ? 0 : set.position + 1;
        if (set.position >= count) {
            set.position = set.loop ? 0 : -1;
        }
    }
    if (set.position == -1) {
        set.played_count = -1;
    } else {
        set.current_item = set.playlist[static_cast<size_t>(set.position)];
    }
}

void ClearPlaylist(TMyMusicSet& set) {
    set.playlist.clear();
    set.current_item.clear();
    set.position = -1;
    set.played_count = -1;
}

}  // namespace saver
