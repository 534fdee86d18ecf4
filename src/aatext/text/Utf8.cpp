#include "aatext/text/Utf8.h"

namespace saver {

namespace {

bool IsContinuation(unsigned char c) {
    return (c & 0xC0) == 0x80;
}

// Decodes the character at text[pos]; len receives the bytes it takes.
char32_t DecodeAt(std::string_view text, size_t pos, int& len) {
    const auto lead = static_cast<unsigned char>(text[pos]);
    len = Utf8SequenceLength(lead);
    if (len == 1 || pos + len > text.size()) {
        len = 1;
        return lead;
    }
    char32_t cp = lead & (0x7F >> len);
    for (int i = 1; i < len; ++i) {
        const auto c = static_cast<unsigned char>(text[pos + i]);
        if (!IsContinuation(c)) {
            len = 1;
            return lead;
        }
        cp = cp << 6 | (c & 0x3F);
    }
    return cp;
}

bool IsWide(char32_t cp) {
    return (cp >= 0x1100 && cp <= 0x115F) || (cp >= 0x2E80 && cp <= 0xA4CF) ||
           (cp >= 0xAC00 && cp <= 0xD7A3) || (cp >= 0xF900 && cp <= 0xFAFF) ||
           (cp >= 0xFE30 && cp <= 0xFE4F) || (cp >= 0xFF00 && cp <= 0xFF60) ||
           (cp >= 0xFFE0 && cp <= 0xFFE6) || (cp >= 0x20000 && cp <= 0x3FFFD);
}

}  // namespace

int Utf8SequenceLength(unsigned char lead) {
    if (lead >= 0xF0 && lead < 0xF8) {
        return 4;
    }
    if (lead >= 0xE0 && lead < 0xF0) {
        return 3;
    }
    if (lead >= 0xC0 && lead < 0xE0) {
        return 2;
    }
    return 1;
}

std::u32string Utf8Decode(std::string_view text) {
    std::u32string out;
    out.reserve(text.size());
    int len = 1;
    for (size_t pos = 0; pos < text.size(); pos += len) {
        out.push_back(DecodeAt(text, pos, len));
    }
    return out;
}

size_t Utf8Length(std::string_view text) {
    size_t count = 0;
    int len = 1;
    for (size_t pos = 0; pos < text.size(); pos += len) {
        DecodeAt(text, pos, len);
        ++count;
    }
    return count;
}

bool IsWideCharAt(std::string_view text, size_t pos) {
    int len = 1;
    return IsWide(DecodeAt(text, pos, len));
}

size_t Utf8Columns(std::string_view text) {
    size_t columns = 0;
    int len = 1;
    for (size_t pos = 0; pos < text.size(); pos += len) {
        columns += IsWide(DecodeAt(text, pos, len)) ? 2 : 1;
    }
    return columns;
}

std::string_view Utf8ColumnPrefix(std::string_view text, size_t columns) {
    size_t used = 0;
    size_t pos = 0;
    int len = 1;
    while (pos < text.size()) {
        const size_t width = IsWide(DecodeAt(text, pos, len)) ? 2 : 1;
        if (used + width > columns) {
            break;
        }
        used += width;
        pos += len;
    }
    return text.substr(0, pos);
}

}  // namespace saver
