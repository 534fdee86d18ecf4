#pragma once

#include <string>
#include <string_view>

namespace saver {

// Feed text with markup to plain text, as item titles are shown in the ticker: removes
// everything between "<" and ">" (and a lone bracket with the text on its open side),
// removes "&nbsp;" and "&gt;" in any letter case, and replaces "&quot;", "&#39;" and
// "&amp;" by their characters, one level only. Other references stay as they are.
std::string PlainText(std::string_view text);

// Deletes every occurrence of `pattern` from `text`, ASCII letters compared without regard
// to case, until none is left (so pieces that close up to form a new one go as well).
std::string RemoveAll(std::string_view pattern, std::string_view text);

}  // namespace saver
