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

// A small borderless window of the feeds that floats over the show: above other windows,
// never taking the focus, with a window-wide opacity. A browser fills it; over the browser
// lies a black picture panel that shows pictures drawn into it (when the panel is hidden,
// the browser shows). Created hidden with opacity 0 and no bevel. All calls come from the
// user-interface thread.
class FeedWindow {
  public:
    virtual ~FeedWindow() = default;

    virtual Browser& WebBrowser() = 0;
    // Position on the desktop and size, in pixels.
    virtual void SetBounds(int left, int top, int width, int height) = 0;
    // 0 (transparent) to 255 (opaque). Needs a compositing window manager to be seen;
    // without one the window is opaque whatever the value.
    virtual void SetOpacity(int opacity) = 0;
    virtual int Opacity() const = 0;
    virtual void Show() = 0;
    virtual void Hide() = 0;
    virtual bool Visible() const = 0;
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
