#pragma once

#include "feeds/readers/TSimpleParserBase.h"

namespace saver {

// Reads RSS 0.91, 0.92 and 2.0 documents: the channel element's children and its items.
class TSimpleParserRSS : public TSimpleParserBase {
  public:
    using TSimpleParserBase::TSimpleParserBase;
    void Parse() override;
};

}  // namespace saver
