#include "feeds/viewer/WindowFadeOut.h"

namespace saver {

WindowFadeOut::WindowFadeOut(WindowSystem& windows, FeedWindow& window, int interval_ms, int step)
    : window_(window), step_(step), timer_(windows.CreateTimer(interval_ms, [this] { Step(); })) {}

void WindowFadeOut::Start(std::function<void()> then) {
    then_ = std::move(then);
    timer_->SetEnabled(true);
}

void WindowFadeOut::Cancel() {
    timer_->SetEnabled(false);
    then_ = nullptr;
}

std::function<void()> WindowFadeOut::Interrupt() {
    timer_->SetEnabled(false);
    auto then = std::move(then_);
    then_ = nullptr;
    return then;
}

void WindowFadeOut::Step() {
    if (window_.Opacity() > 2) {
        window_.SetOpacity(window_.Opacity() - step_);
        return;
    }
    timer_->SetEnabled(false);
    // What follows may start the fade again: it is taken out first.
    auto then = std::move(then_);
    then_ = nullptr;
    if (then) {
        then();
    }
}

}  // namespace saver
