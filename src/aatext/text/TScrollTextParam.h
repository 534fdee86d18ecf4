#pragma once

#include "aatext/bitmap/Color.h"
#include "aatext/font/TAAQuality.h"
#include "aatext/font/TFont.h"
#include "aatext/text/TCustomTextParam.h"

namespace saver {

// The Text property of a scrolling text control: its lines and layout, the fading of
// the frame edges, and the space before and after the text. Font, BackColor and
// Quality are the control's own font, colour and renderer quality.
class TScrollTextParam : public TCustomTextParam {
  public:
    using TCustomTextParam::TCustomTextParam;

    bool Fade() const { return fade_; }
    void SetFade(bool value);
    int FadeHeight() const { return fade_height_; }
    void SetFadeHeight(int value);
    // Percent of the control's height, clamped to 0..150.
    int HeadSpace() const { return head_space_; }
    void SetHeadSpace(int value);
    int TailSpace() const { return tail_space_; }
    void SetTailSpace(int value);

    const TFont& Font() const;
    void SetFont(const TFont& font);
    TColor BackColor() const;
    void SetBackColor(TColor color);
    TAAQuality Quality() const;
    void SetQuality(TAAQuality quality);

  private:
    bool fade_ = true;
    int fade_height_ = 10;
    int head_space_ = 0;
    int tail_space_ = 60;
};

}  // namespace saver
