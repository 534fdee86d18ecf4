#include "base/TextEncoding.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace saver {

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeMark = "\xFF\xFE";
constexpr std::string_view kUtf16BeMark = "\xFE\xFF";
constexpr char32_t kReplacement = 0xFFFD;

// Windows-1252 bytes 0x80 to 0x9F. The five bytes the code page leaves undefined map to
// the control characters of the same number, as Windows itself maps them, so that every
// byte reads as some character and writes back as the same byte.
constexpr std::array<char16_t, 32> kWindows1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// Takes the next character off the front of UTF-8 `text`; a byte that starts no valid
// sequence is taken alone and gives U+FFFD.
char32_t TakeCodePoint(std::string_view& text) {
    const size_t length = ValidUtf8Length(text);
    if (length == 0) {
        text.remove_prefix(1);
        return kReplacement;
    }
    auto byte = [&](size_t i) {
        return static_cast<char32_t>(static_cast<unsigned char>(text[i]));
    };
    char32_t c = length == 1 ? byte(0) : byte(0) & (0x7F >> length);
    for (size_t i = 1; i < length; ++i) {
        c = c << 6 | (byte(i) & 0x3F);
    }
    text.remove_prefix(length);
    return c;
}

std::string DecodeUtf16(std::string_view bytes, bool big_endian) {
    auto unit = [&](size_t at) {
        const auto first = static_cast<unsigned char>(bytes[at]);
        const auto second = static_cast<unsigned char>(bytes[at + 1]);
        return static_cast<char32_t>(big_endian ? first << 8 | second : second << 8 | first);
    };
    std::string text;
    text.reserve(bytes.size());
    size_t at = 0;
    for (; at + 1 < bytes.size(); at += 2) {
        char32_t c = unit(at);
        const bool high = c >= 0xD800 && c <= 0xDBFF;
        const char32_t next = at + 3 < bytes.size() ? unit(at + 2) : 0;
        if (high && next >= 0xDC00 && next <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (next - 0xDC00);
            at += 2;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            c = kReplacement;
        }
        AppendUtf8(text, c);
    }
    if (at < bytes.size()) {
        AppendUtf8(text, kReplacement);
    }
    return text;
}

std::string EncodeUtf16(std::string_view text, bool big_endian) {
    std::string bytes(big_endian ? kUtf16BeMark : kUtf16LeMark);
    auto put = [&](char32_t unit) {
        const char high = static_cast<char>(unit >> 8);
        const char low = static_cast<char>(unit & 0xFF);
        bytes += big_endian ? high : low;
        bytes += big_endian ? low : high;
    };
    while (!text.empty()) {
        const char32_t c = TakeCodePoint(text);
        if (c >= 0x10000) {
            put(0xD800 + ((c - 0x10000) >> 10));
            put(0xDC00 + ((c - 0x10000) & 0x3FF));
        } else {
            put(c);
        }
    }
    return bytes;
}

std::string DecodeWindows1252(std::string_view bytes) {
    std::string text;
    text.reserve(bytes.size() + bytes.size() / 4);
    for (char b : bytes) {
        const auto byte = static_cast<unsigned char>(b);
        AppendUtf8(text, byte >= 0x80 && byte < 0xA0 ? kWindows1252High[byte - 0x80] : byte);
    }
    return text;
}

std::optional<std::string> EncodeWindows1252(std::string_view text) {
    std::string bytes;
    bytes.reserve(text.size());
    while (!text.empty()) {
        const char32_t c = TakeCodePoint(text);
        if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
            bytes += static_cast<char>(c);
            continue;
        }
        auto found = std::find(kWindows1252High.begin(), kWindows1252High.end(), c);
        if (found == kWindows1252High.end()) {
            return std::nullopt;
        }
        bytes += static_cast<char>(0x80 + (found - kWindows1252High.begin()));
    }
    return bytes;
}

}  // namespace

size_t ValidUtf8Length(std::string_view text) {
    if (text.empty()) {
        return 0;
    }
    auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(0);
    const size_t length = lead < 0x80                    ? 1
                          : lead >= 0xC2 && lead <= 0xDF ? 2
                          : lead >= 0xE0 && lead <= 0xEF ? 3
                          : lead >= 0xF0 && lead <= 0xF4 ? 4
                                                         : 0;
    if (length == 0 || length > text.size()) {
        return 0;
    }
    for (size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80) {
            return 0;
        }
    }
    // Overlong forms, surrogates and code points past U+10FFFF are not valid.
    if ((lead == 0xE0 && byte(1) < 0xA0) || (lead == 0xED && byte(1) > 0x9F) ||
        (lead == 0xF0 && byte(1) < 0x90) || (lead == 0xF4 && byte(1) > 0x8F)) {
        return 0;
    }
    return length;
}

std::string_view WithoutCutUtf8Character(std::string_view bytes) {
    for (size_t back = 1; back <= 3 && back <= bytes.size(); ++back) {
        const auto byte = static_cast<unsigned char>(bytes[bytes.size() - back]);
        if ((byte & 0xC0) == 0x80) {
            continue;  // a continuation byte: look further back for the lead byte
        }
        const size_t length = byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : byte >= 0xC0 ? 2 : 1;
        return length > back ? bytes.substr(0, bytes.size() - back) : bytes;
    }
    return bytes;
}

bool IsValidUtf8(std::string_view bytes) {
    while (!bytes.empty()) {
        // ASCII runs are by far the most common; skip them without the full check.
        if (static_cast<unsigned char>(bytes.front()) < 0x80) {
            bytes.remove_prefix(1);
            continue;
        }
        const size_t length = ValidUtf8Length(bytes);
        if (length == 0) {
            return false;
        }
        bytes.remove_prefix(length);
    }
    return true;
}

DecodedText DecodeText(std::string_view bytes) {
    if (bytes.starts_with(kUtf8Mark)) {
        // Whatever follows the mark is the author's UTF-8; a broken byte in it is kept as
        // it is rather than making the whole file Windows-1252.
        return {std::string(bytes.substr(kUtf8Mark.size())), TextEncoding::Utf8WithMark};
    }
    if (bytes.starts_with(kUtf16LeMark)) {
        return {DecodeUtf16(bytes.substr(2), false), TextEncoding::Utf16Le};
    }
    if (bytes.starts_with(kUtf16BeMark)) {
        return {DecodeUtf16(bytes.substr(2), true), TextEncoding::Utf16Be};
    }
    if (IsValidUtf8(bytes)) {
        return {std::string(bytes), TextEncoding::Utf8};
    }
    return {DecodeWindows1252(bytes), TextEncoding::Windows1252};
}

std::optional<std::string> EncodeText(std::string_view text, TextEncoding encoding) {
    switch (encoding) {
        case TextEncoding::Utf8WithMark:
            return std::string(kUtf8Mark).append(text);
        case TextEncoding::Utf16Le:
            return EncodeUtf16(text, false);
        case TextEncoding::Utf16Be:
            return EncodeUtf16(text, true);
        case TextEncoding::Windows1252:
            return EncodeWindows1252(text);
        case TextEncoding::Utf8:
            break;
    }
    return std::string(text);
}

std::string_view EncodingName(TextEncoding encoding) {
    switch (encoding) {
        case TextEncoding::Utf8WithMark:
            return "UTF-8 with byte-order mark";
        case TextEncoding::Utf16Le:
            return "UTF-16 LE";
        case TextEncoding::Utf16Be:
            return "UTF-16 BE";
        case TextEncoding::Windows1252:
            return "Windows-1252";
        case TextEncoding::Utf8:
            break;
    }
    return "UTF-8";
}

}  // namespace saver
