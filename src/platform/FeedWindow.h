#pragma once

#include <cstdint>

#include "platform/Browser.h"

namespace saver {

// Pixels handed to a window: 3 bytes a pixel in the order blue, green, red, rows top to
// bottom, `stride` bytes apart. Valid only during the call that passes them.
struct PixelRows {
    const uint8_t* data = nullptr;
    int width = 0;
    int height = 0;
    int stride = 0;
};

// A small borderless window of the feeds drawn inside the show window that owns it
// (ShowWindow::CreateFeedWindow), over the page and the panels, and clipped to the show
// window. It never takes the focus, and clicks on it never reach the page below. A
// browser fills it; over the browser lies a black picture panel that shows pictures
// drawn into it (when the panel is hidden, the browser shows). Created hidden with
// opacity 0 and no bevel. All calls come from the user-interface thread. Once its show
// window is gone it shows nothing, and its calls change nothing on the screen.
class FeedWindow {
  public:
    virtual ~FeedWindow() = default;

    virtual Browser& WebBrowser() = 0;
    // Position in the show window's coordinates and size, in pixels. A window reaching
    // past the show window's edges is cut there; its size, and so its page's layout,
    // stay as given.
    virtual void SetBounds(int left, int top, int width, int height) = 0;
    // 0 (transparent) to 255 (opaque), applied in the drawing of the show window itself,
    // so that the page shows through with or without a compositing window manager. At 0
    // nothing of the window is drawn at all, however long it is shown.
    virtual void SetOpacity(int opacity) = 0;
    virtual int Opacity() const = 0;
    virtual void Show() = 0;
    virtual void Hide() = 0;
    // Shown (by Show), whatever its opacity.
    virtual bool Visible() const = 0;
    // Lays the window over the other feed windows of its show window.
    virtual void BringToFront() = 0;
    virtual void SetPanelVisible(bool visible) = 0;
    virtual bool PanelVisible() const = 0;
    // With `raised`, a bevel of one pixel runs round the inside of the window's edge, light
    // above and left, shadow below and right, and the browser and the panel fill what it
    // encloses; without, they fill the whole window.
    virtual void SetBevel(bool raised) = 0;
    // Puts `pixels` at (x, y) of the picture panel in place of what `slot` showed before;
    // pictures of different slots may overlap, a higher slot lying on top.
    virtual void DrawPicture(int slot, int x, int y, const PixelRows& pixels) = 0;
};

}  // namespace saver
