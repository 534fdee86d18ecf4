#pragma once

#include <string>

#include "feeds/model/TDateTime.h"

namespace saver {

// A feed date as the user reads it: `value`, taken as universal time, moved by the local
// zone's standard-time offset (`offset_seconds` east of UTC; daylight saving is not
// applied) and written in the locale's short date and time formats ("%x %X" of the
// process's LC_TIME). At exactly midnight the time is left out.
std::string FeedTimeText(TDateTime value, long offset_seconds);

// A feed date as the user reads it on the clock: `value`, taken as universal time, in the
// local zone's time of that day (daylight saving included), in the same formats.
std::string LocalFeedTimeText(TDateTime value);

// The local zone's standard-time offset, in seconds east of UTC.
long StandardTimeOffsetSeconds();

}  // namespace saver
