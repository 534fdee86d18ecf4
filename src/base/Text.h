#pragma once

#include <string>
#include <string_view>

namespace saver {

// Small text helpers shared by the subsystems. Letter case here is ASCII only, which is
// what the settings keys, switches and prefixes use.
std::string_view Trim(std::string_view text);
// `text` without the characters of `blanks` at both ends.
std::string_view Trim(std::string_view text, std::string_view blanks);
bool StartsWithNoCase(std::string_view text, std::string_view prefix);
bool EqualsNoCase(std::string_view a, std::string_view b);
std::string UpperCase(std::string_view text);
std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to);
// Removes `prefix` from the start of `text` when it is there; true when it was.
bool RemovePrefix(std::string& text, std::string_view prefix);
// The 64-bit FNV-1a hash of `text` as 16 lower-case hex digits: the same on every build
// and machine (which std::hash is not), so it can name files and locks.
std::string StableHashHex(std::string_view text);

}  // namespace saver
