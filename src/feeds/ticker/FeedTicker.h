#pragma once

#include <memory>

#include "feeds/ticker/TRSSFontForm.h"

namespace saver {

// The feed ticker as the show drives it: creates the ticker window at the first start
// that has feeds and keeps it, with the stop and pause switches, for the process's life.
class FeedTicker {
  public:
    explicit FeedTicker(const TickerEnvironment& environment);
    ~FeedTicker();
    FeedTicker(const FeedTicker&) = delete;
    FeedTicker& operator=(const FeedTicker&) = delete;

    // Starts the ticker over `show` (its feed panel is the ticker's status line), the
    // first load after `seconds`. Nothing happens without "UseFeed" or without feeds.
    void StartFeedTicker(ShowWindow& show, int seconds);
    void StopFeedTicker();
    // True when the ticker used the message; false before the first item was shown.
    bool HandleTickerInput(const InputMessage& message);

    // Null until the first start with feeds.
    TRSSFontForm* Form() { return form_.get(); }
    const TickerShared& Shared() const { return shared_; }

  private:
    TickerEnvironment environment_;
    TickerShared shared_;
    std::unique_ptr<TRSSFontForm> form_;
};

}  // namespace saver
