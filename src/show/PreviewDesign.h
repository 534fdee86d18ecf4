#pragma once

#include <functional>
#include <optional>
#include <string>

#include "settings/TSaverSetting.h"
#include "show/Picture.h"

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

}  // namespace saver
