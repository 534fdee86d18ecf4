#pragma once

#include "feeds/readers/TSimpleParserBase.h"

namespace saver {

// Reads RSS 1.0 (RDF) documents, whose channel, image, items and text input are siblings
// below the root.
class TSimpleParserRDF : public TSimpleParserBase {
  public:
    using TSimpleParserBase::TSimpleParserBase;
    void Parse() override;
};

}  // namespace saver
