#include "feeds/model/TiTunesExtra.h"

#include "feeds/text/TextConvert.h"

namespace saver {
namespace {

constexpr size_t kMaxSummaryCharacters = 4000;

// The byte length of the first `count` characters of a UTF-8 text.
size_t Utf8Prefix(std::string_view text, size_t count) {
    size_t at = 0;
    for (size_t seen = 0; at < text.size(); ++at) {
        const bool starts_character = (static_cast<unsigned char>(text[at]) & 0xC0) != 0x80;
        if (starts_character && seen++ == count) {
            break;
        }
    }
    return at;
}

}  // namespace

void TiTunesExtra::SetSummary(std::string_view summary) {
    summary_ = std::string(summary.substr(0, Utf8Prefix(summary, kMaxSummaryCharacters)));
}

void TiTunesExtra::AddKeywords(std::string_view text) {
    std::string_view rest = TrimBlanks(text);
    if (rest.empty()) {
        return;
    }
    for (size_t blank = rest.find(' '); blank != std::string_view::npos; blank = rest.find(' ')) {
        KeyWords.Add().Value = std::string(rest.substr(0, blank));
        rest.remove_prefix(blank + 1);
    }
    KeyWords.Add().Value = std::string(rest);
}

}  // namespace saver
