#pragma once

namespace saver {

class TSimpleRSS;

// A reader of one feed format: fills the component's Channel and Items from its loaded
// document. One reader object serves one parse. Errors pass to the caller; what was read
// before an error stays in the model.
class TSimpleParserBase {
  public:
    explicit TSimpleParserBase(TSimpleRSS& rss) : rss_(rss) {}
    virtual ~TSimpleParserBase() = default;
    TSimpleParserBase(const TSimpleParserBase&) = delete;
    TSimpleParserBase& operator=(const TSimpleParserBase&) = delete;

    virtual void Parse() = 0;

  protected:
    TSimpleRSS& rss_;
};

}  // namespace saver
