#pragma once

#include <string>

namespace saver {

// A text that reads as empty when it holds nothing but blanks (codes up to 32); otherwise
// it reads back exactly as stored, untrimmed.
class TBlankText {
  public:
    TBlankText& operator=(std::string text) {
        text_ = std::move(text);
        return *this;
    }
    const std::string& Get() const;

  private:
    std::string text_;
};

}  // namespace saver
