#include "feeds/text/PlainText.h"

namespace saver {
namespace {

char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool MatchesAt(std::string_view text, size_t at, std::string_view pattern) {
    for (size_t i = 0; i < pattern.size(); ++i) {
        if (LowerAscii(text[at + i]) != LowerAscii(pattern[i])) {
            return false;
        }
    }
    return true;
}

// Removes the tags: each "<...>" pair, everything up to a ">" that comes first, and
// everything from a "<" that is never closed.
std::string RemoveTags(std::string_view text) {
    std::string result;
    result.reserve(text.size());
    bool inside_tag = false;
    for (char c : text) {
        if (c == '<') {
            inside_tag = true;
        } else if (c == '>') {
            if (!inside_tag) {
                result.clear();
            }
            inside_tag = false;
        } else if (!inside_tag) {
            result.push_back(c);
        }
    }
    return result;
}

// Replaces every `from` by `to`, scanning left to right once.
std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to) {
    std::string result;
    result.reserve(text.size());
    for (size_t at = 0; at < text.size();) {
        if (text.substr(at, from.size()) == from) {
            result.append(to);
            at += from.size();
        } else {
            result.push_back(text[at++]);
        }
    }
    return result;
}

}  // namespace

std::string RemoveAll(std::string_view pattern, std::string_view text) {
    if (pattern.empty()) {
        return std::string(text);
    }
    // One pass that checks, after each kept character, whether the kept text now ends with
    // the pattern; this also removes occurrences that earlier removals closed up.
    std::string kept;
    kept.reserve(text.size());
    for (char c : text) {
        kept.push_back(c);
        if (kept.size() >= pattern.size() &&
            MatchesAt(kept, kept.size() - pattern.size(), pattern)) {
            kept.resize(kept.size() - pattern.size());
        }
    }
    return kept;
}

std::string PlainText(std::string_view text) {
    std::string plain = RemoveTags(text);
    plain = RemoveAll("&nbsp;", plain);
    plain = RemoveAll("&gt;", plain);
    plain = ReplaceAll(plain, "&quot;", "\"");
    plain = ReplaceAll(plain, "&#39;", "'");
    return ReplaceAll(plain, "&amp;", "&");
}

}  // namespace saver
