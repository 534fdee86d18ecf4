#include "base/Text.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>

namespace saver {

namespace {

char AsciiUpper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// What Trim removes when no blanks are named.
constexpr std::string_view kBlanks{" \t\r\n\v\f\0", 7};

}  // namespace

std::string_view Trim(std::string_view text) {
    return Trim(text, kBlanks);
}

std::string_view Trim(std::string_view text, std::string_view blanks) {
    const size_t first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && EqualsNoCase(text.substr(0, prefix.size()), prefix);
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return AsciiUpper(x) == AsciiUpper(y);
           });
}

std::string UpperCase(std::string_view text) {
    std::string upper(text);
    std::transform(upper.begin(), upper.end(), upper.begin(), AsciiUpper);
    return upper;
}

std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to) {
    std::string result;
    size_t start = 0;
    for (size_t at = text.find(from); !from.empty() && at != std::string_view::npos;
         at = text.find(from, start)) {
        result.append(text.substr(start, at - start)).append(to);
        start = at + from.size();
    }
    return result.append(text.substr(start));
}

bool RemovePrefix(std::string& text, std::string_view prefix) {
    if (!text.starts_with(prefix)) {
        return false;
    }
    text.erase(0, prefix.size());
    return true;
}

std::string StableHashHex(std::string_view text) {
    uint64_t hash = 0xcbf29ce484222325ULL;
    for (unsigned char c : text) {
        hash = (hash ^ c) * 0x100000001b3ULL;
    }
    char hex[17];
    std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(hash));
    return hex;
}

}  // namespace saver
