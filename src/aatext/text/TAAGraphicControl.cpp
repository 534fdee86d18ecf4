#include "aatext/text/TAAGraphicControl.h"

#include <algorithm>

namespace saver {

TAAGraphicControl::TAAGraphicControl()
    : canvas_{nullptr, TFont{}, TBrush{clWhite, bsSolid}}, renderer_(&canvas_) {}

void TAAGraphicControl::SetFont(const TFont& font) {
    canvas_.Font = font;
    Changed();
}

void TAAGraphicControl::SetColor(TColor color) {
    canvas_.Brush.Color = color;
    Changed();
}

void TAAGraphicControl::SetSize(int width, int height) {
    width = std::max(width, 20);
    height = std::max(height, 20);
    if (width == width_ && height == height_) {
        return;
    }
    width_ = width;
    height_ = height;
    Changed();
}

void TAAGraphicControl::Changed() {
    if (loaded_ && auto_update_ && !destroying_ && update_lock_ == 0) {
        Rebuild();
    }
}

void TAAGraphicControl::Loaded() {
    if (!loaded_) {
        loaded_ = true;
        AfterLoad();
    }
}

void TAAGraphicControl::Paint() {
    if (destroying_ || update_lock_ > 0) {
        return;
    }
    if (!loaded_) {
        Loaded();
    }
    if (painting_) {
        return;
    }
    painting_ = true;
    try {
        DrawFrame();
    } catch (...) {
        painting_ = false;
        throw;
    }
    painting_ = false;
}

}  // namespace saver
