#pragma once

#include "feeds/ticker/FeedTicker.h"
#include "feeds/viewer/ItemViewer.h"
#include "platform/linux/GlibDispatcher.h"
#include "platform/linux/curl/CurlHttpClient.h"
#include "show/ShowCompanions.h"
#include "startup/SaverProcess.h"

namespace saver {

// The show's companions in the program: the feed ticker on libcurl and GTK windows, and
// the background music. Everything here lives as long as the show.
class ShowCompanionSet : public ShowCompanions {
  public:
    ShowCompanionSet(SaverProcess& process, WindowSystem& windows);
    ~ShowCompanionSet() override;

    void StartFeedTicker(ShowWindow& window, int delay_seconds) override;
    void StopFeedTicker() override;
    bool HandleTickerInput(const InputMessage& message) override;

  private:
    GlibDispatcher dispatcher_;
    CurlHttpClient http_;
    ItemViewer viewer_;
    FeedTicker ticker_;
};

// The program's hand-over to the GLib main loop, for work of threads that may outlive the
// show (the text animation timers, a feed still being parsed). Lives until the program
// ends.
UiDispatcher& ProgramDispatcher();

// Hands the text animation timers' ticks to the GLib main loop. Called once before the
// first animation timer exists.
void WireTimerDispatcher();

}  // namespace saver
