#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "platform/MediaPlayer.h"

namespace saver {

// The modes of a media control player.
enum class TMPModes { mpNotReady, mpStopped, mpPlaying, mpRecording, mpSeeking, mpPaused, mpOpen };

// The player of local files, in the role of a media control device: open a file, play it,
// and a completion notification at its end (or when it fails). Times in milliseconds.
class TMediaPlayer {
  public:
    // `on_notify` runs on every completion; the player may be released from inside it.
    TMediaPlayer(MediaPlayers& players, std::function<void()> on_notify);

    std::string FileName;

    // Raises std::runtime_error when the file cannot be read.
    void Open();
    void Play();
    void Stop();
    void Close();

    TMPModes Mode() const;
    int64_t Position() const;
    // The length once known; until then, and for a file without one, no end is in sight.
    int64_t Length() const;

  private:
    std::unique_ptr<MediaPlayer> player_;
    bool open_ = false;
};

}  // namespace saver
