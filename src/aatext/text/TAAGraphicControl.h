#pragma once

#include <functional>

#include "aatext/bitmap/TCanvas.h"
#include "aatext/effects/TAAFontEx.h"

namespace saver {

// A windowless control that draws anti-aliased text: it owns the renderer, its font,
// colour and size, and funnels every change notification into Changed, which rebuilds
// when the control is loaded, not updating and set to update automatically.
class TAAGraphicControl {
  public:
    TAAGraphicControl();
    virtual ~TAAGraphicControl() = default;
    TAAGraphicControl(const TAAGraphicControl&) = delete;
    TAAGraphicControl& operator=(const TAAGraphicControl&) = delete;

    TAAFontEx& AAFont() { return renderer_; }
    const TFont& Font() const { return canvas_.Font; }
    void SetFont(const TFont& font);
    TColor Color() const { return canvas_.Brush.Color; }
    void SetColor(TColor color);

    int Width() const { return width_; }
    int Height() const { return height_; }
    // Sizes below 20 x 20 are raised to 20; a real change of size reports a change.
    void SetSize(int width, int height);

    bool AutoUpdate() const { return auto_update_; }
    void SetAutoUpdate(bool value) { auto_update_ = value; }
    void BeginUpdate() { ++update_lock_; }
    void EndUpdate() { --update_lock_; }

    // The single entry of every change: rebuilds when loaded, AutoUpdate is on and the
    // control is neither updating nor being destroyed.
    void Changed();
    // Marks the control as loaded (its properties are set) and runs AfterLoad once.
    void Loaded();
    // Draws the control: the first paint loads it, and a paint inside a paint is skipped.
    void Paint();

  protected:
    virtual void DrawFrame() {}
    virtual void AfterLoad() { Changed(); }
    virtual void Rebuild() { Paint(); }

    bool Destroying() const { return destroying_; }
    void SetDestroying() { destroying_ = true; }

  private:
    TCanvas canvas_;
    TAAFontEx renderer_;
    bool auto_update_ = true;
    int update_lock_ = 0;
    bool loaded_ = false;
    bool painting_ = false;
    bool destroying_ = false;
    int width_ = 240;
    int height_ = 280;
};

}  // namespace saver
