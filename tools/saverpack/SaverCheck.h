#pragma once

#include "SaverSources.h"

#include <string>
#include <vector>

namespace saver {

// Checks a saver before it is made, for the mistakes that the saver itself would pass
// over in silence: a settings file that is not UTF-8, unknown sections and keys (naming the nearest
// known one), values that are no numbers where numbers are read or that lie outside the range the
// settings dialog allows, content items that resolve to nothing, kind prefixes in the
// wrong letter case, entries without "=", and references of packaged pages to folders
// or files that the flat package does not hold. Returns one line per finding, in the
// form "FILE:LINE: warning: [SECTION] KEY: what is wrong"; empty when all is well.
std::vector<std::string> CheckSaver(const SaverSources& sources);

}  // namespace saver
