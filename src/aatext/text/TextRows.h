#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace saver {

// The position of the first "<" + name + ">" in line, matching the ASCII letters a to z
// without regard to case and every other byte exactly; npos when there is none.
size_t FindTag(std::string_view line, std::string_view name);

// Splits a display text into rows at CR LF, a lone CR and a lone LF. A break at the very
// end adds no empty row; a NUL character ends the text.
std::vector<std::string> SplitRows(std::string_view text);

// Inserts CR LF at the break points of a line so that rows keep within max_column
// columns where break characters allow; quoted parts are not broken, East Asian wide
// characters (two columns each) may be broken before.
std::string WrapLine(const std::string& line, int max_column);

// (RowPitch / 100 + 1) x height, to the nearest integer with ties to even.
int PitchedHeight(int row_pitch, int height);

}  // namespace saver
