#pragma once

#include <string>
#include <string_view>

namespace saver {

// Byte length of the UTF-8 sequence that starts with lead; 1 for a stray byte.
int Utf8SequenceLength(unsigned char lead);

// Decodes UTF-8; an invalid byte stands for itself (as Latin-1), so nothing is lost.
std::u32string Utf8Decode(std::string_view text);

// The number of characters (code points) of a UTF-8 text.
size_t Utf8Length(std::string_view text);

// Whether the character starting at text[pos] is an East Asian wide character: the
// analogue of a double-byte character of the Far-East code pages, two columns wide.
bool IsWideCharAt(std::string_view text, size_t pos);

// Column count of a text: wide characters count 2, every other character 1.
size_t Utf8Columns(std::string_view text);

// The longest prefix of text, in whole characters, that is at most `columns` columns wide.
std::string_view Utf8ColumnPrefix(std::string_view text, size_t columns);

}  // namespace saver
