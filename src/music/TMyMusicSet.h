#pragma once

#include <string>

#include "settings/PlayOrder.h"
#include "settings/TSaverSetting.h"

namespace saver {

// The music player's own playlist, which runs when the saver has no package.
struct TMyMusicSet {
    ContentList playlist;
    bool random = false;
    bool loop = false;
    std::string current_item;  // what plays now; empty when nothing
    int position = -1;         // index of the current item, -1 for none
    int played_count = -1;     // items picked at random so far, -1 at start
};

// Takes a copy of `list` with the flags and starts it over; reseeds `random`.
void SetPlaylist(TMyMusicSet& set, const ContentList& list, bool random_order, bool loop,
                 RandomSource& random);
// Moves on to the next item: current_item is it, or empty when the playlist is done.
void NextMusicItem(TMyMusicSet& set, RandomSource& random);
void ClearPlaylist(TMyMusicSet& set);

}  // namespace saver
