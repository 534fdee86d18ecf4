#pragma once

#include <memory>

#include "music/BackgroundMusic.h"
#include "platform/MediaPlayer.h"
#include "platform/WindowSystem.h"

namespace saver {

struct SaverProcess;

// The show's background music on the real players: GStreamer for files and addresses,
// the MPEG audio library from the system folder or the private working folder, timers
// of the window system. Null when GStreamer cannot be started: the show then runs
// silent. `players` receives the media players and must outlive the music.
std::unique_ptr<BackgroundMusic> MakeShowMusic(SaverProcess& process, WindowSystem& windows,
                                               std::unique_ptr<MediaPlayers>& players);

}  // namespace saver
