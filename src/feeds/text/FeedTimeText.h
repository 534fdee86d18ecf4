#pragma once

#include <string>

#include "feeds/model/TDateTime.h"

namespace saver {

// A feed date as the user reads it on the clock: `value`, taken as universal time, in the
// local zone's time of that day (daylight saving included), written in the locale's short
// date and time formats ("%x %X" of the process's LC_TIME). At exactly midnight the time
// is left out; a value beyond any calendar gives "".
std::string LocalFeedTimeText(TDateTime value);

}  // namespace saver
