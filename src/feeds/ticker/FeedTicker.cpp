#include "feeds/ticker/FeedTicker.h"

#include "feeds/text/FeedTimeText.h"

namespace saver {

FeedTicker::FeedTicker(const TickerEnvironment& environment) : environment_(environment) {
    if (!environment_.time_text) {
        environment_.time_text = LocalFeedTimeText;
    }
    environment_.viewer.Attach(shared_);
}

FeedTicker::~FeedTicker() = default;

void FeedTicker::StartFeedTicker(ShowWindow& show, int seconds) {
    if (!environment_.settings.UseFeed || environment_.settings.FeedList.empty()) {
        return;
    }
    shared_.show = &show;
    shared_.stopped = false;
    if (!form_) {
        form_ = std::make_unique<TRSSFontForm>(environment_, shared_);
    }
    form_->Start(seconds);
}

void FeedTicker::StopFeedTicker() {
    shared_.stopped = true;
    if (form_) {
        form_->Stop();
    }
    environment_.viewer.Hide();
}

bool FeedTicker::HandleTickerInput(const InputMessage& message) {
    return form_ && form_->HandleTickerInput(message);
}

}  // namespace saver
