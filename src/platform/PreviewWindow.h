#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace saver {

// A box in the preview window's pixels.
struct PreviewBox {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// What the preview window draws, every number already worked out: the window paints
// black, then the parts below that are set, and decides nothing itself.
struct PreviewDrawing {
    // The window's size, and its place on the screen when it stands on its own.
    PreviewBox window;
    // Inside a lent parent window the preview starts at the parent's corner and reaches
    // this many pixels beyond the parent's far sides.
    int parent_overhang = 0;

    // A picture stretched into `picture_box`: picture_width x picture_height pixels of
    // 3 bytes (red, green, blue), the top row first. No picture when `picture_rgb` is empty.
    PreviewBox picture_box;
    int picture_width = 0;
    int picture_height = 0;
    std::vector<uint8_t> picture_rgb;

    // The built-in artwork (a night sky over the globe's meridians) in `artwork_box`.
    bool artwork = false;
    PreviewBox artwork_box;

    // A text written from the top left of `label_box`, wrapped at its width and clipped
    // to it, in `label_font` with letters `label_pixels` high. No text when empty.
    std::string label;
    std::string label_font;
    double label_pixels = 0;
    PreviewBox label_box;
};

// The preview's window on the platform. Called on the user-interface thread.
class PreviewWindow {
  public:
    virtual ~PreviewWindow() = default;
    // Shows `drawing` inside the window `parent` the display settings lend, or as an
    // ordinary top-level window at drawing.window when `parent` is 0 or no such window
    // exists. Returns when the window is closed or its parent goes away.
    virtual void Run(const PreviewDrawing& drawing, uint64_t parent) = 0;
};

}  // namespace saver
