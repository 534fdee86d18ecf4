#pragma once

#include <memory>

#include "feeds/viewer/ItemViewer.h"
#include "feeds/viewer/TRssIEForm.h"

namespace saver {

// The item viewer with its window: the window is made at the first item shown while the
// show is visible and kept for the rest of the process.
class FeedItemViewer : public ItemViewer {
  public:
    explicit FeedItemViewer(const ViewerEnvironment& environment);
    ~FeedItemViewer() override;

    void ShowItem(TSimpleRSS& rss, int index) override;
    void FadeOut(std::function<void()> then) override;
    void BringToFront() override;
    void Hide() override;
    void ScrollToEnd() override;

    // Null until the first item was shown.
    TRssIEForm* Form() { return form_.get(); }

  private:
    ViewerEnvironment environment_;
    TickerShared no_ticker_;  // until a ticker attaches
    std::unique_ptr<TRssIEForm> form_;
};

}  // namespace saver
