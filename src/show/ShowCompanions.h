#pragma once

#include "platform/InputMessage.h"
#include "platform/WindowSystem.h"

namespace saver {

// The background music and the feed ticker as the web show drives them. The show works
// without them: this base does nothing and the ticker takes no input.
class ShowCompanions {
  public:
    virtual ~ShowCompanions() = default;

    // Stops what plays and starts the next item of the Music list.
    virtual void StartMusic() {}
    virtual void StopMusic() {}
    // Starts the ticker over `window` (its feed panel is the ticker's status line) after
    // `delay_seconds`.
    virtual void StartFeedTicker(ShowWindow& /*window*/, int /*delay_seconds*/) {}
    virtual void StopFeedTicker() {}
    // True when the ticker used the message.
    virtual bool HandleTickerInput(const InputMessage& /*message*/) { return false; }
};

}  // namespace saver
