#pragma once

#include <string>

namespace saver {

// The player a Music item plays through.
enum class MusicPlayerKind {
    None,         // not an address and no existing file: nothing plays
    Mci,          // a local file (TMediaPlayer)
    Mpeg,         // a local MP3 file through the MPEG audio library (TMPEGPlayer)
    MediaPlayer,  // an address (TMediaPlayer2)
    RealMedia,    // an address of RealMedia content (TRealAudio)
};

// True for addresses of RealMedia content: by the extension of the last path segment, or
// the "rtsp:" scheme.
bool IsRealMedia(const std::string& address);

// Chooses by the item's form and extension; `media_player_mp3` false sends local MP3
// files to the MPEG audio library.
MusicPlayerKind ChooseMusicPlayer(const std::string& item, bool media_player_mp3);

}  // namespace saver
