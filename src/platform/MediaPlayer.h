#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace saver {

// Where a media player stands with what it plays.
enum class MediaPlayState {
    Idle,     // nothing given yet, or stopped by Stop
    Opening,  // given, not yet playing (the file or address is being opened and read)
    Playing,
    Ended,   // played to its end
    Failed,  // could not be opened, read or decoded; nothing more will play
};

// Plays one local file or network address at a time, audio only, to the desktop's audio
// output (or the sink the environment chooses, see AudioSinkChoice).
//
// Rules for every implementation:
// - All calls come from the user-interface thread and return without waiting for the
//   media: opening, reading and playing go on in the background.
// - The end notification given at creation runs on the user-interface thread, from the
//   message loop, once per Play that ends or fails; never from inside a call of the
//   player. State() already tells Ended or Failed when it runs. The player may be
//   destroyed from inside it.
// - Until the end notification has run, State() is not Ended and Position() stays at
//   least 2 ms short of Length(), so that whoever reads the position never sees an end
//   before it is notified; after an end, Position() equals Length().
// - Destroying the player stops it and releases everything it holds, promptly also
//   when a server stalls.
class MediaPlayer {
  public:
    virtual ~MediaPlayer() = default;

    // Plays a full path or an address ("scheme://..."), replacing what played before.
    virtual void Play(const std::string& file_or_address) = 0;
    // Stops playing; the state becomes Idle.
    virtual void Stop() = 0;

    virtual MediaPlayState State() const = 0;
    // Milliseconds from the start; 0 while unknown.
    virtual int64_t Position() const = 0;
    // Milliseconds; 0 while unknown and for a stream without an end.
    virtual int64_t Length() const = 0;
};

// Creates media players.
class MediaPlayers {
  public:
    virtual ~MediaPlayers() = default;
    virtual std::unique_ptr<MediaPlayer> CreatePlayer(std::function<void()> on_end) = 0;
};

}  // namespace saver
