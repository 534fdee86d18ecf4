#pragma once

#include <functional>
#include <string>

#include "platform/WindowSystem.h"

namespace saver {

class TSimpleRSS;

// Where the item viewer last fitted itself, shared with the ticker, which forgets the
// side at every feed load.
struct ViewerPlacement {
    bool right_of_ticker = false;  // the viewer lay wholly to the right of the ticker
    int last_width = 0;
    int last_height = 0;
};

// State of the ticker that outlives a start and that the item viewer reads: the show it
// runs over, its right edge and the two switches.
struct TickerShared {
    ShowWindow* show = nullptr;
    int right_edge = 0;  // the ticker's left plus its width, from the show's left edge
    bool stopped = false;
    bool paused = false;
};

// The item viewer as the feed ticker drives it. This base shows nothing: it only keeps the
// link of the item last shown (for Enter) and counts as existing once an item was shown,
// so the ticker works the same with or without a window of the viewer.
class ItemViewer {
  public:
    virtual ~ItemViewer() = default;

    // The ticker that drives this viewer; it outlives the viewer's use of it.
    void Attach(const TickerShared& ticker) { ticker_ = &ticker; }
    // Shows item `index` of `rss`; nothing for an index out of range.
    virtual void ShowItem(TSimpleRSS& rss, int index);
    // Fades the viewer out and then calls `then` (at once when nothing is shown). A
    // ShowItem or Hide during the fade ends it, and `then` is called right after them.
    virtual void FadeOut(std::function<void()> then) { then(); }
    virtual void BringToFront() {}
    virtual void Hide() {}
    // Scrolls the page on display to its end.
    virtual void ScrollToEnd() {}

    bool Exists() const { return exists_; }
    // The link of the item on display; empty when it has none.
    const std::string& Link() const { return link_; }
    ViewerPlacement& Placement() { return placement_; }

  protected:
    const TickerShared* ticker_ = nullptr;
    bool exists_ = false;
    std::string link_;
    ViewerPlacement placement_;
};

}  // namespace saver
