#pragma once

#include <string>

#include "aatext/effects/TAAEffect.h"
#include "aatext/font/TFont.h"
#include "aatext/text/LabelCollection.h"

namespace saver {

// A named font with its effects; its tag "<Name>" in a line selects them.
class TFontLabel {
  public:
    explicit TFontLabel(LabelCollection<TFontLabel>& owner);

    const std::string& Name() const { return name_; }
    // Raises "Duplicate string!" and keeps the name when another label has it.
    void SetName(const std::string& name);
    const TFont& Font() const { return font_; }
    void SetFont(const TFont& font);
    TAAEffect& Effect() { return effect_; }
    const TAAEffect& Effect() const { return effect_; }

  private:
    friend class LabelCollection<TFontLabel>;
    LabelCollection<TFontLabel>& owner_;
    std::string name_;
    TFont font_;
    TAAEffect effect_;
};

}  // namespace saver
