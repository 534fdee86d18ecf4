#pragma once

#include <functional>
#include <string>

#include "aatext/text/LabelCollection.h"
#include "aatext/text/TextTypes.h"

namespace saver {

class TUserLabel;
// Called with the label and the text about to be inserted; may replace the text.
using TGetTextEvent = std::function<void(TUserLabel& label, std::string& text)>;

// A named tag that sets the alignment or inserts a text (owner, organisation,
// application title, date, time or its own text).
class TUserLabel {
  public:
    explicit TUserLabel(LabelCollection<TUserLabel>& owner) : owner_(owner) {}

    const std::string& Name() const { return name_; }
    // Raises "Duplicate string!" and keeps the name when another label has it.
    void SetName(const std::string& name);
    TLabelStyle Style() const { return style_; }
    void SetStyle(TLabelStyle style);
    // Has no effect unless the style is lsCustom.
    void SetText(const std::string& text);
    // The text the tag is replaced by: the style's text, then OnGetText.
    std::string LabelText();

    TGetTextEvent OnGetText;

  private:
    friend class LabelCollection<TUserLabel>;
    std::string StyleText() const;

    LabelCollection<TUserLabel>& owner_;
    std::string name_;
    std::string text_;
    TLabelStyle style_ = lsCustom;
};

}  // namespace saver
