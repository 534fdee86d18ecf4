#pragma once

#include <string>
#include <vector>

#include "aatext/text/TAAGraphicControl.h"
#include "aatext/text/TFontLabels.h"
#include "aatext/text/TUserLabels.h"

namespace saver {

class Registry;

// A text control with font labels and user labels; changes of either collection are
// changes of the control.
class TAACustomText : public TAAGraphicControl {
  public:
    // The registry gives the registered owner and organisation to the labels; it may be
    // null (the user's name then stands for the owner).
    explicit TAACustomText(const Registry* registry);

    TFontLabels& Fonts() { return fonts_; }
    TUserLabels& Labels() { return labels_; }

  private:
    TFontLabels fonts_;
    TUserLabels labels_;
};

}  // namespace saver
