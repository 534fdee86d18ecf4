#pragma once

#include <memory>
#include <thread>

#include "music/BackgroundMusic.h"
#include "platform/MediaPlayer.h"
#include "platform/UiDispatcher.h"
#include "platform/WindowSystem.h"

namespace saver {

struct SaverProcess;

// The show's background music on the real players: GStreamer for files and addresses,
// the MPEG audio library from the system folder or the private working folder, timers
// of the window system. Nothing of it is started when the settings ask for no music.
// When they do, GStreamer is initialised on a thread of its own from the moment this is
// made, so that its registry (made anew on a first start) is read while the show window
// and its web view are made; every start of the music runs from the main loop, after the
// show has asked for its first page. The show runs silent when GStreamer cannot be
// started. `process`, `windows` and `ui` must outlive the music.
class ShowMusic {
  public:
    ShowMusic(SaverProcess& process, WindowSystem& windows, UiDispatcher& ui);
    // Waits for GStreamer's initialisation if it is still under way.
    ~ShowMusic();
    ShowMusic(const ShowMusic&) = delete;
    ShowMusic& operator=(const ShowMusic&) = delete;

    // Stops what plays and starts the next item of the Music list, from the main loop.
    void Start();
    // Empties the music's own playlist and stops the players; starts not yet run are
    // dropped.
    void Stop();

  private:
    void StartNow();
    // The music, made on first use; null when GStreamer cannot be started.
    BackgroundMusic* Music();

    SaverProcess& process_;
    WindowSystem& windows_;
    UiDispatcher& ui_;
    std::thread gstreamer_start_;
    bool made_ = false;
    // The players outlive the music that drives them.
    std::unique_ptr<MediaPlayers> players_;
    std::unique_ptr<BackgroundMusic> music_;
    // Held by the starts posted to the main loop: a start whose token was replaced (by
    // Stop) or freed (with the music) does nothing.
    std::shared_ptr<bool> starts_ = std::make_shared<bool>(true);
};

}  // namespace saver
