#pragma once

#include <span>
#include <string>
#include <string_view>

namespace saver {

// The name of `known` closest to `name`, letter case ignored: the fewest single-letter
// insertions, deletions, changes and swaps of neighbours; a name that begins with the
// other (or is begun by it) counts as close as one edit, so "Settings" finds "Set".
// Empty when `known` is empty.
std::string NearestName(std::string_view name, std::span<const std::string_view> known);

}  // namespace saver
