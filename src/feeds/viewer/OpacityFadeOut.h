#pragma once

#include <functional>
#include <memory>

#include "platform/FeedWindow.h"
#include "platform/WindowSystem.h"

namespace saver {

// The fade-out of a feed window: its opacity lowered by 3 every `interval_ms` until it
// is 2 or less, then what was to follow. It runs on a timer, so the main loop goes on
// meanwhile.
class OpacityFadeOut {
  public:
    OpacityFadeOut(WindowSystem& windows, FeedWindow& window, int interval_ms);

    // Starts the fade; `then` runs once it has ended. A fade still running is taken
    // over, and what was to follow it is dropped.
    void Start(std::function<void()> then);
    // Ends a running fade where it is; what was to follow is dropped.
    void Stop();
    // Ends a running fade where it is and hands over what was to follow (null when no
    // fade ran), for the caller to run once it is done.
    std::function<void()> Interrupt();

  private:
    void Tick();

    FeedWindow& window_;
    std::unique_ptr<Timer> timer_;
    std::function<void()> then_;
};

}  // namespace saver
