#pragma once

#include "feeds/readers/TSimpleParserBase.h"

namespace saver {

// Reads RSS 2.0 podcast feeds with iTunes data. Stricter than the RSS reader: required
// sub-elements and attributes are checked, an empty value is an error and nothing is
// guarded, so the first error ends the parse.
class TSimpleParseriTunes : public TSimpleParserBase {
  public:
    using TSimpleParserBase::TSimpleParserBase;
    void Parse() override;
};

}  // namespace saver
