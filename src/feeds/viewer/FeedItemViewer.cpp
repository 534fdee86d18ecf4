#include "feeds/viewer/FeedItemViewer.h"

#include "feeds/readers/TSimpleRSS.h"

namespace saver {

FeedItemViewer::FeedItemViewer(const ViewerEnvironment& environment) : environment_(environment) {
    ticker_ = &no_ticker_;
}

FeedItemViewer::~FeedItemViewer() = default;

void FeedItemViewer::ShowItem(TSimpleRSS& rss, int index) {
    if (index < 0 || index >= rss.Items().Count()) {
        return;
    }
    // The window lies inside the show window: without one shown there is nowhere to
    // show the item.
    if (!ticker_->show || !ticker_->show->Visible()) {
        Hide();
        return;
    }
    if (!form_) {
        form_ = std::make_unique<TRssIEForm>(environment_, *ticker_, placement_);
    }
    exists_ = true;
    // A fade-out still running belongs to the item before; it ends here, and whoever
    // waited for it hears so once this item is shown.
    const auto interrupted = form_->InterruptFadeOut();
    form_->ShowItem(rss, index);
    link_ = form_->Hint();
    if (interrupted) {
        interrupted();
    }
}

void FeedItemViewer::FadeOut(std::function<void()> then) {
    if (!form_) {
        then();
        return;
    }
    form_->FadeOut(std::move(then));
}

void FeedItemViewer::BringToFront() {
    if (form_) {
        form_->BringToFront();
    }
}

void FeedItemViewer::Hide() {
    if (!form_) {
        return;
    }
    const auto interrupted = form_->InterruptFadeOut();
    form_->Hide();
    if (interrupted) {
        interrupted();
    }
}

void FeedItemViewer::ScrollToEnd() {
    if (form_) {
        form_->ScrollToEnd();
    }
}

}  // namespace saver
