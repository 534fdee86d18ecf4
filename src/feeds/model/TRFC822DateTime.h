#pragma once

#include <string>
#include <string_view>

#include "feeds/model/TDateTime.h"

namespace saver {

// A feed date: the date and time as written in the feed plus the zone text. A fresh value
// holds the local time of its construction and the zone "GMT".
class TRFC822DateTime {
  public:
    TRFC822DateTime();

    TDateTime DateTime = 0;
    std::string TimeZone = "GMT";

    // RSS dates such as "Sat, 03 Jan 2009 07:55:17 GMT": the date and time as written,
    // the zone ignored; 0 for an empty or invalid text. TimeZone stays as it is.
    void ParseRFC822(std::string_view text);
    // W3C dates such as "2009-01-03T07:55:17+01:00": what follows the seconds becomes
    // TimeZone; an invalid date or time gives the current local time.
    void ParseISO8601(std::string_view text);
};

}  // namespace saver
