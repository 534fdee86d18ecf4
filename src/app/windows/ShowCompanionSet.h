#pragma once

#include <memory>

#include "feeds/ticker/FeedTicker.h"
#include "feeds/viewer/FeedItemViewer.h"
#include "music/BackgroundMusic.h"
#include "platform/MediaPlayer.h"
#include "platform/linux/GlibDispatcher.h"
#include "platform/linux/curl/CurlHttpClient.h"
#include "show/ShowCompanions.h"
#include "startup/SaverProcess.h"

namespace saver {

// The show's companions in the program: the feed ticker and its item viewer on libcurl,
// GTK windows and WebKitGTK, and the background music on GStreamer and the MPEG audio
// library. Everything here lives as long as the show.
class ShowCompanionSet : public ShowCompanions {
  public:
    ShowCompanionSet(SaverProcess& process, WindowSystem& windows);
    ~ShowCompanionSet() override;

    void StartFeedTicker(ShowWindow& window, int delay_seconds) override;
    void StopFeedTicker() override;
    bool HandleTickerInput(const InputMessage& message) override;
    void StartMusic() override;
    // The main show window's close: the music's own playlist is emptied, then the
    // players stopped.
    void StopMusic() override;

  private:
    GlibDispatcher dispatcher_;
    CurlHttpClient http_;
    SourceDraw viewer_draw_;
    FeedItemViewer viewer_;
    FeedTicker ticker_;
    // The players outlive the music that drives them; the music is null when GStreamer
    // cannot be started, and the show then runs silent.
    std::unique_ptr<MediaPlayers> players_;
    std::unique_ptr<BackgroundMusic> music_;
};

// The program's hand-over to the GLib main loop, for work of threads that may outlive the
// show (the text animation timers, a feed still being parsed). Lives until the program
// ends.
UiDispatcher& ProgramDispatcher();

// Hands the text animation timers' ticks to the GLib main loop. Called once before the
// first animation timer exists.
void WireTimerDispatcher();

}  // namespace saver
