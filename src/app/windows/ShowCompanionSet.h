#pragma once

#include "show/ShowCompanions.h"

namespace saver {

class BackgroundMusic;

// What the show drives beside its own windows, joined into the one ShowCompanions the
// show is given: the background music (and the feed ticker).
class ShowCompanionSet : public ShowCompanions {
  public:
    // `music` may be null: the show then plays no music.
    explicit ShowCompanionSet(BackgroundMusic* music) : music_(music) {}

    void StartMusic() override;
    // The main show window's close: the music's own playlist is emptied, then the
    // players stopped.
    void StopMusic() override;

  private:
    BackgroundMusic* music_;
};

}  // namespace saver
