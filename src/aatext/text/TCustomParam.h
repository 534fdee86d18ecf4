#pragma once

#include "aatext/bitmap/TPicture.h"
#include "aatext/effects/TNotifyClass.h"
#include "aatext/text/TextTypes.h"

namespace saver {

class TAAGraphicControl;

// The parameters every text control has: alignment, word wrap and a background picture.
class TCustomParam : public TNotifyClass {
  public:
    explicit TCustomParam(TAAGraphicControl& control);

    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value);
    bool WordWrap() const { return word_wrap_; }
    void SetWordWrap(bool value);
    TPicture& BackGround() { return background_; }
    const TPicture& BackGround() const { return background_; }
    TBackGroundMode BackGroundMode() const { return background_mode_; }
    void SetBackGroundMode(TBackGroundMode value);

  protected:
    TAAGraphicControl& Control() const { return control_; }

  private:
    TAAGraphicControl& control_;
    TAlignment alignment_ = taCenter;
    bool word_wrap_ = false;
    TPicture background_;
    TBackGroundMode background_mode_ = bmTiled;
};

}  // namespace saver
