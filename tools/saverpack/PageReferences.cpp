#include "PageReferences.h"

#include "base/Text.h"

#include <algorithm>
#include <cctype>

namespace saver {

namespace {

bool IsBlank(char c) {
    return std::isspace(static_cast<unsigned char>(c)) != 0;
}

size_t SkipBlanks(std::string_view text, size_t at) {
    while (at < text.size() && IsBlank(text[at])) {
        ++at;
    }
    return at;
}

// A reference found at a byte offset of the page.
using Found = std::vector<std::pair<size_t, std::string>>;

// The value at `at`: quoted with " or ', or unquoted up to a blank or one of `stops`. A
// value never runs past its line, so a quote left open costs no more than the line.
std::string_view ValueAt(std::string_view text, size_t at, std::string_view stops) {
    if (at < text.size() && (text[at] == '"' || text[at] == '\'')) {
        const char ends[] = {text[at], '\n', '\0'};
        const size_t end = text.find_first_of(ends, at + 1);
        return text.substr(at + 1, end == std::string_view::npos ? end : end - at - 1);
    }
    size_t end = at;
    while (end < text.size() && !IsBlank(text[end]) && stops.find(text[end]) == stops.npos) {
        ++end;
    }
    return text.substr(at, end - at);
}

// Attribute `name` (lower case) preceded by a blank and followed by "=".
void FindAttribute(std::string_view text, std::string_view lower, std::string_view name,
                   Found& found) {
    for (size_t at = lower.find(name); at != std::string_view::npos;
         at = lower.find(name, at + 1)) {
        if (at == 0 || !IsBlank(lower[at - 1])) {
            continue;
        }
        size_t equals = SkipBlanks(lower, at + name.size());
        if (equals >= lower.size() || lower[equals] != '=') {
            continue;
        }
        const size_t value = SkipBlanks(text, equals + 1);
        found.emplace_back(at, Trim(ValueAt(text, value, ">")));
    }
}

void FindUrls(std::string_view text, std::string_view lower, Found& found) {
    for (size_t at = lower.find("url("); at != std::string_view::npos;
         at = lower.find("url(", at + 1)) {
        const size_t value = SkipBlanks(text, at + 4);
        found.emplace_back(at, Trim(ValueAt(text, value, ")")));
    }
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
}

std::string DecodeEscapes(std::string_view text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() && HexDigit(text[i + 1]) >= 0 &&
            HexDigit(text[i + 2]) >= 0) {
            out += static_cast<char>(HexDigit(text[i + 1]) * 16 + HexDigit(text[i + 2]));
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

}  // namespace

std::vector<PageReference> FindPageReferences(std::string_view text, bool style_sheet) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    Found found;
    if (!style_sheet) {
        FindAttribute(text, lower, "src", found);
        FindAttribute(text, lower, "href", found);
    }
    FindUrls(text, lower, found);
    // In page order, each with its line, counted in one pass.
    std::sort(found.begin(), found.end());
    std::vector<PageReference> references;
    size_t counted = 0;
    int line = 1;
    for (auto& [at, target] : found) {
        line += static_cast<int>(std::count(text.begin() + counted, text.begin() + at, '\n'));
        counted = at;
        references.push_back({std::move(target), line});
    }
    return references;
}

std::string RelativeFile(std::string_view target) {
    target = Trim(target);
    target = target.substr(0, target.find_first_of("?#"));
    const size_t scheme = target.find(':');
    if (target.empty() || target.front() == '/' ||
        (scheme != std::string_view::npos && scheme < target.find_first_of("/\\"))) {
        return std::string();
    }
    std::string file = DecodeEscapes(target);
    while (file.starts_with("./")) {
        file.erase(0, 2);
    }
    return file;
}

}  // namespace saver
