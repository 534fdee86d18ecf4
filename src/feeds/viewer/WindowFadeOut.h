#pragma once

#include <functional>
#include <memory>

#include "platform/FeedWindow.h"
#include "platform/WindowSystem.h"

namespace saver {

// The fade-out of a feed window, as the ticker and the item viewer do it: every
// `interval_ms` the window's opacity goes down by `step` until it is (nearly)
// transparent; then the fade stops and what was to follow it runs, once.
class WindowFadeOut {
  public:
    WindowFadeOut(WindowSystem& windows, FeedWindow& window, int interval_ms, int step);

    // Starts the fade; `then` runs at its end, in place of what an earlier start would
    // have run.
    void Start(std::function<void()> then);
    // Stops the fade; what was to follow it never runs.
    void Cancel();
    // Stops the fade and hands over what was to follow it (null when no fade ran), for
    // the caller to run once it is done.
    std::function<void()> Interrupt();

  private:
    void Step();

    FeedWindow& window_;
    int step_;
    std::unique_ptr<Timer> timer_;
    std::function<void()> then_;
};

}  // namespace saver
