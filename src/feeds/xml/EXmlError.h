#pragma once

#include <stdexcept>

namespace saver {

// The XML document layer's error: a document that does not parse, or a text read that the
// text rule refuses ("Element does not contain a single text node").
class EXmlError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

}  // namespace saver
