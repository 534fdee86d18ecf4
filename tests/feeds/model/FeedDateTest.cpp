#include <gtest/gtest.h>

#include <cmath>

#include "feeds/model/TRFC822DateTime.h"

namespace saver {
namespace {

struct DateCase {
    const char* text;
    const char* expected;  // "YYYY-MM-DDTHH:MM:SS", "0" for day 0, "now" for the current time
    const char* zone;      // TimeZone afterwards (it starts as "GMT")
};

void ExpectDate(const TRFC822DateTime& date, const DateCase& row) {
    if (std::string(row.expected) == "now") {
        EXPECT_NEAR(date.DateTime, NowLocal(), 1.0 / 86400 * 5);
    } else if (std::string(row.expected) == "0") {
        EXPECT_EQ(date.DateTime, 0);
    } else {
        EXPECT_EQ(FormatIsoDateTime(date.DateTime), row.expected);
    }
    EXPECT_EQ(date.TimeZone, row.zone);
}

TEST(FeedDateTest, ParseRFC822) {
    const DateCase cases[] = {
        {"Sat, 03 Jan 2009 07:55:17 GMT", "2009-01-03T07:55:17", "GMT"},
        // The zone is ignored: the time is taken as written.
        {"Sat, 03 Jan 2009 07:55:17 +0200", "2009-01-03T07:55:17", "GMT"},
        {"Sat, 03 Jan 2009 07:55:17 -0500", "2009-01-03T07:55:17", "GMT"},
        {"03-Jan-2009 07:55", "2009-01-03T07:55:00", "GMT"},
        // No blank anywhere, so the separator is the blank and the month is missing.
        {"03-Jan-09", "0", "GMT"},
        // "January" is not a three-letter month name.
        {"Sat, 03 January 2009", "0", "GMT"},
        // A time before the year is still found.
        {"Jan 3 07:55:17 2009", "2009-01-03T07:55:17", "GMT"},
        {"  mon, 5 feb 99 23:00:00 EST ", "1999-02-05T23:00:00", "GMT"},
        {"Tue, 1 Mar 05", "2005-03-01T00:00:00", "GMT"},
        // A day that is not a number counts as 1.
        {"xx Mar 2005", "2005-03-01T00:00:00", "GMT"},
        {"", "0", "GMT"},
        {"   ", "0", "GMT"},
        // Out-of-range day or time.
        {"31 Feb 2009", "0", "GMT"},
        {"03 Jan 2009 24:00:00", "0", "GMT"},
        {"03 Jan", "0", "GMT"},
    };
    for (const DateCase& row : cases) {
        SCOPED_TRACE(row.text);
        TRFC822DateTime date;
        date.ParseRFC822(row.text);
        ExpectDate(date, row);
    }
}

TEST(FeedDateTest, ParseISO8601) {
    const DateCase cases[] = {
        {"2009-01-03T07:55:17+01:00", "2009-01-03T07:55:17", "+01:00"},
        {"2009-01-03T07:55:17Z", "2009-01-03T07:55:17", "Z"},
        {"2009-01-03T07:55:17.5Z", "2009-01-03T07:55:17", ".5Z"},
        {"2009-01-03", "2009-01-03T00:00:00", "GMT"},
        {"2009-01-03T07:55", "2009-01-03T07:55:00", "GMT"},
        {"2009-13-03", "now", "GMT"},
        {"2009-02-30T00:00:00", "now", "GMT"},
        {"2009-01-03T25:00:00", "now", "GMT"},
        {"garbage", "now", "GMT"},
        {"", "now", "GMT"},
    };
    for (const DateCase& row : cases) {
        SCOPED_TRACE(row.text);
        TRFC822DateTime date;
        date.ParseISO8601(row.text);
        ExpectDate(date, row);
    }
}

TEST(FeedDateTest, DefaultsAndDayZero) {
    const TRFC822DateTime date;
    EXPECT_NEAR(date.DateTime, NowLocal(), 1.0 / 86400 * 5);
    EXPECT_EQ(date.TimeZone, "GMT");
    EXPECT_EQ(FormatIsoDateTime(0), "1899-12-30T00:00:00");
    EXPECT_EQ(*TryEncodeDateTime(1900, 1, 1, 12, 0, 0), 2.5);
}

}  // namespace
}  // namespace saver
