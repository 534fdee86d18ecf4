#pragma once

#include <webkit2/webkit2.h>

#include <cstdint>

namespace saver {

// Black over a web view: while raised, the view is drawn as usual and painted over with
// black, so the engine goes on rendering the page underneath (a view taken off the
// screen stops rendering, and shows its last frame again, of whatever page it showed,
// when it comes back). The cover is lifted only once the engine has painted a frame of
// the page now loaded, never on the strength of a load alone.
class ViewCover {
  public:
    explicit ViewCover(WebKitWebView* view);
    ~ViewCover();
    ViewCover(const ViewCover&) = delete;
    ViewCover& operator=(const ViewCover&) = delete;

    bool Raised() const { return raised_; }
    // Covers the view at its next frame; a lift asked for before no longer happens.
    // `process_gone`: the view's web process died, and its successor's first frames do
    // not reach the screen.
    void Raise(bool process_gone = false);
    // Lifts the cover after the engine has drawn enough frames of the page now in the
    // view for one of them to be on the screen; nothing happens when it is down.
    void LiftWhenPainted();

  private:
    struct FrameWait;
    static gboolean OnDraw(GtkWidget* widget, cairo_t* cairo, gpointer self);
    static void OnFramesDrawn(GObject* view, GAsyncResult* result, gpointer wait);

    WebKitWebView* view_;
    bool raised_ = false;
    // Counts raises, so that the answer of a wait started before the latest raise is
    // dropped.
    uint64_t raises_ = 0;
    // Frames of the page to wait for before the cover is lifted.
    int frames_ = 0;
    // Cancelled when the cover goes away, so that no answer reaches it afterwards.
    GCancellable* waits_ = nullptr;
};

}  // namespace saver
