#pragma once

#include <functional>
#include <optional>
#include <string>

#include "pictures/Picture.h"
#include "platform/PreviewWindow.h"
#include "settings/TSaverSetting.h"

namespace saver {

// What the preview window shows: the author's fixed picture (the static preview), or
// the built-in artwork with the saver's name written over it.
struct PreviewDesign {
    bool static_preview = false;
    // The static preview's picture; none when it did not load (the window stays black).
    std::optional<Picture> picture;
    std::string label;
    int label_points = 17;
    // The window's design position (where it opens as a window of its own) and size.
    int left = 360;
    int top = 233;
    int width = 188;
    int height = 179;
};

// True when the static preview is chosen: Build_UseStaticPreview is set and the
// Build_StaticImage item resolves; the setting then holds the resolved path.
bool ChoosePreviewWindow(TSaverSetting& settings, const std::function<bool(std::string&)>& resolve);

// The preview of a saver named `saver_name`, its picture loaded.
PreviewDesign MakePreviewDesign(TSaverSetting& settings,
                                const std::function<bool(std::string&)>& resolve,
                                const std::string& saver_name);

// The preview laid out in the window's pixels: its size and place, the picture box of the
// static preview, or the artwork with the name written over it.
PreviewDrawing LayOutPreview(const PreviewDesign& design);

// The preview mode: the saver's preview laid out and run in `window` inside the window
// `parent` (0 for none) until it closes.
void RunPreviewWindow(PreviewWindow& window, TSaverSetting& settings,
                      const std::function<bool(std::string&)>& resolve,
                      const std::string& saver_name, uint64_t parent);

}  // namespace saver
