#include "feeds/viewer/OpacityFadeOut.h"

namespace saver {

namespace {

constexpr int kOpacityStep = 3;

}  // namespace

OpacityFadeOut::OpacityFadeOut(WindowSystem& windows, FeedWindow& window, int interval_ms)
    : window_(window), timer_(windows.CreateTimer(interval_ms, [this] { Tick(); })) {}

void OpacityFadeOut::Start(std::function<void()> then) {
    then_ = std::move(then);
    timer_->SetEnabled(true);
}

void OpacityFadeOut::Stop() {
    timer_->SetEnabled(false);
    then_ = nullptr;
}

std::function<void()> OpacityFadeOut::Interrupt() {
    timer_->SetEnabled(false);
    auto then = std::move(then_);
    then_ = nullptr;
    return then;
}

void OpacityFadeOut::Tick() {
    if (window_.Opacity() > 2) {
        window_.SetOpacity(window_.Opacity() - kOpacityStep);
        return;
    }
    timer_->SetEnabled(false);
    auto then = std::move(then_);
    then_ = nullptr;
    if (then) {
        then();
    }
}

}  // namespace saver
