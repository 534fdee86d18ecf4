#pragma once

#include <functional>
#include <memory>
#include <string>

#include "platform/MediaPlayer.h"

namespace saver {

// The player of addresses, in the role of a media player control: given an address it
// plays it; its end is seen only by polling its values. Times in seconds.
class TMediaPlayer2 {
  public:
    // Play states and open states as the control reports them.
    static constexpr int wmppsUndefined = 0;
    static constexpr int wmppsStopped = 1;
    static constexpr int wmppsPlaying = 3;
    static constexpr int wmppsTransitioning = 9;
    static constexpr int wmposUndefined = 0;
    static constexpr int wmposMediaOpening = 12;
    static constexpr int wmposMediaOpen = 13;

    explicit TMediaPlayer2(MediaPlayers& players);

    std::string URL;
    void Play();

    bool HasCurrentMedia() const { return !URL.empty(); }
    double Duration() const;
    double CurrentPosition() const;
    int PlayState() const;
    int OpenState() const;
    // True when the address could not be opened or read.
    bool Failed() const;

  private:
    std::unique_ptr<MediaPlayer> player_;
};

}  // namespace saver
