#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/MediaPlayer.h"

namespace saver {

// The player of RealMedia addresses, in the role of the RealMedia control: given a source
// it plays it; its end is seen only by polling its values. Times in milliseconds.
class TRealAudio {
  public:
    // Play states as the control reports them.
    static constexpr int kStopped = 0;
    static constexpr int kContacting = 1;
    static constexpr int kPlaying = 3;

    explicit TRealAudio(MediaPlayers& players);

    std::string Source;
    void DoPlay();

    int64_t GetPosition() const { return player_->Position(); }
    int64_t GetLength() const { return player_->Length(); }
    int GetPlayState() const;
    // True when the source could not be opened or read.
    bool Failed() const { return player_->State() == MediaPlayState::Failed; }

  private:
    std::unique_ptr<MediaPlayer> player_;
};

}  // namespace saver
