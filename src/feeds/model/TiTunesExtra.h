#pragma once

#include <string>
#include <string_view>

#include "feeds/model/TiTunesCategory.h"
#include "feeds/model/TiTunesKeyword.h"

namespace saver {

// The podcast data that channels and items share.
class TiTunesExtra {
  public:
    bool Block = false;
    TiTunesCategory Category;
    // Explicit content; the name is spelled so in the published model.
    bool Explict = false;
    TiTunesKeywords KeyWords;
    std::string Subtitle;

    // At most 4000 characters: a longer text keeps its first 4000.
    const std::string& Summary() const { return summary_; }
    void SetSummary(std::string_view summary);

    // Appends one keyword per blank-separated piece of the trimmed text; two blanks in a
    // row give an empty keyword; an empty text adds nothing.
    void AddKeywords(std::string_view text);

  private:
    std::string summary_;
};

}  // namespace saver
