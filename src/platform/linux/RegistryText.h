#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/linux/RegistryTree.h"

namespace saver {

// The text form of the user hive, in the REGEDIT4 style a person can read and edit:
//
//     REGEDIT4
//
//     [HKEY_CURRENT_USER\Software\Quillmont\my.scr]
//     @="default value"
//     "WebInterval"=dword:0000001e
//     "Name"="text with \\ and \" escaped"
//
// Reading accepts CR LF line ends, a UTF-8 byte order mark, blank lines, lines starting
// with ";" as comments, blanks around "=", the hive name in any letter case and one to
// eight hex digits after "dword:". Anything else makes the whole text invalid (nullopt):
// other hives, key deletions, other value types, unknown escapes, unterminated strings,
// values outside a key. Strictness keeps a damaged file from being half read and then
// written back without the parts that were not understood.
std::optional<RegistryTree> ParseRegistryText(std::string_view text);

std::string FormatRegistryText(const RegistryTree& tree);

// Whether the text can be stored in a key path, value name or string value: line breaks
// and NUL bytes cannot be written into one line of the file.
bool StorableInRegistryText(std::string_view text);

}  // namespace saver
