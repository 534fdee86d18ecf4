#pragma once

#include <string>

#include "aatext/text/LabelCollection.h"
#include "aatext/text/TFontLabel.h"

namespace saver {

// The font labels of a text control.
class TFontLabels : public LabelCollection<TFontLabel> {
  public:
    // For each label in collection order, the first occurrence of its tag is removed and
    // its font and effect are copied into font and effect; the last label found decides.
    void ApplyFontTags(std::string& line, TFont& font, TAAEffect& effect) const;
};

}  // namespace saver
