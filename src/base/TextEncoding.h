#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace saver {

// The encodings in which text files written on Windows reach us. Inside the program all
// text is UTF-8; these are only what a file holds on disk.
enum class TextEncoding {
    Utf8,          // no byte-order mark (also plain ASCII)
    Utf8WithMark,  // EF BB BF first
    Utf16Le,       // FF FE first (Notepad's "Unicode")
    Utf16Be,       // FE FF first
    Windows1252,   // anything that is not valid UTF-8 (Notepad's "ANSI" on Western systems)
};

struct DecodedText {
    std::string text;  // UTF-8, without the byte-order mark
    TextEncoding encoding = TextEncoding::Utf8;
};

// Decodes the bytes of a text file: a UTF-8 byte-order mark is dropped, UTF-16 with its
// mark is decoded, valid UTF-8 stays as it is and anything else is read as Windows-1252.
// Never fails: broken UTF-16 (a lone surrogate, an odd last byte) becomes U+FFFD.
DecodedText DecodeText(std::string_view bytes);

// The bytes of UTF-8 `text` in `encoding`, mark included. Empty when `encoding` is
// Windows-1252 and the text holds a character that code page has not. Bytes of `text`
// that are not valid UTF-8 are written as U+FFFD where the encoding needs characters.
std::optional<std::string> EncodeText(std::string_view text, TextEncoding encoding);

bool IsValidUtf8(std::string_view bytes);
// The length of the valid UTF-8 sequence at the start of `text`, or 0 when there is none.
size_t ValidUtf8Length(std::string_view text);
// `bytes` without the start of a UTF-8 character that their end cuts short, as a cut at a
// byte limit leaves it; whole characters are kept.
std::string_view WithoutCutUtf8Character(std::string_view bytes);

// "UTF-8", "UTF-8 with byte-order mark", "UTF-16 LE", "UTF-16 BE", "Windows-1252".
std::string_view EncodingName(TextEncoding encoding);

}  // namespace saver
