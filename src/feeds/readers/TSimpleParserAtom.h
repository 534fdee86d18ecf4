#pragma once

#include "feeds/readers/TSimpleParserBase.h"

namespace saver {

// Reads Atom documents in the element names of the early Atom drafts ("tagline",
// "modified", base64 content with a "mode" attribute).
class TSimpleParserAtom : public TSimpleParserBase {
  public:
    using TSimpleParserBase::TSimpleParserBase;
    void Parse() override;
};

}  // namespace saver
