#pragma once

#include <memory>

#include "app/windows/LazyHttpClient.h"
#include "app/windows/ShowMusic.h"
#include "feeds/ticker/FeedTicker.h"
#include "feeds/viewer/FeedItemViewer.h"
#include "platform/linux/GlibDispatcher.h"
#include "show/ShowCompanions.h"
#include "startup/SaverProcess.h"

namespace saver {

// The show's companions in the program: the feed ticker and its item viewer on libcurl
// (loaded with the first feed), GTK windows and WebKitGTK, and the background music on
// GStreamer and the MPEG audio library (started only when the settings ask for music).
// Everything here lives as long as the show.
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
    LazyHttpClient http_;
    SourceDraw viewer_draw_;
    FeedItemViewer viewer_;
    FeedTicker ticker_;
    ShowMusic music_;
};

// The program's hand-over to the GLib main loop, for work of threads that may outlive the
// show (the text animation timers, a feed still being parsed). Lives until the program
// ends.
UiDispatcher& ProgramDispatcher();

// Hands the text animation timers' ticks to the GLib main loop. Called once before the
// first animation timer exists.
void WireTimerDispatcher();

}  // namespace saver
