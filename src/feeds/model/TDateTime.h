#pragma once

#include <optional>
#include <string>

namespace saver {

// A date and time as days since 30 December 1899 00:00, the fraction being the time of day.
using TDateTime = double;

// The value of a calendar date and time, or nullopt when a field is out of range
// (month 1..12, day within the month, hour 0..23, minute and second 0..59).
std::optional<TDateTime> TryEncodeDateTime(int year, int month, int day, int hour, int minute,
                                           int second);
// The local date and time now.
TDateTime NowLocal();
// "YYYY-MM-DDTHH:MM:SS", rounded to the nearest second.
std::string FormatIsoDateTime(TDateTime value);

}  // namespace saver
