#include "feeds/model/TDateTime.h"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <ctime>

namespace saver {
namespace {

constexpr int kSecondsPerDay = 86400;
// Day 0 (30 December 1899) counted from the Unix epoch's calendar.
constexpr std::chrono::sys_days kDayZero = std::chrono::sys_days(std::chrono::year{1899} / 12 / 30);

}  // namespace

std::optional<TDateTime> TryEncodeDateTime(int year, int month, int day, int hour, int minute,
                                           int second) {
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || day > 31) {
        return std::nullopt;
    }
    const std::chrono::year_month_day date{std::chrono::year{year},
                                           std::chrono::month{static_cast<unsigned>(month)},
                                           std::chrono::day{static_cast<unsigned>(day)}};
    if (!date.ok() || hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 ||
        second > 59) {
        return std::nullopt;
    }
    const double days = (std::chrono::sys_days(date) - kDayZero).count();
    const double time = (hour * 3600.0 + minute * 60.0 + second) / kSecondsPerDay;
    // Before day 0 the fraction counts forwards from the (negative) day, as in the
    // Delphi-style date format this model follows.
    return days < 0 ? days - time : days + time;
}

namespace {

// The local calendar day and time of a second since the epoch. Feeds create a default
// date for every item, so the last conversion is kept: most calls fall in the same second.
TDateTime LocalSecond(std::time_t seconds) {
    thread_local std::time_t cached_second = -1;
    thread_local TDateTime cached_value = 0;
    if (seconds != cached_second) {
        std::tm local{};
        localtime_r(&seconds, &local);
        cached_value =
            *TryEncodeDateTime(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                               local.tm_min, local.tm_sec > 59 ? 59 : local.tm_sec);
        cached_second = seconds;
    }
    return cached_value;
}

}  // namespace

TDateTime NowLocal() {
    const auto now = std::chrono::system_clock::now();
    const auto millis =
        std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() %
        1000;
    return LocalSecond(std::chrono::system_clock::to_time_t(now)) +
           millis / 1000.0 / kSecondsPerDay;
}

std::string FormatIsoDateTime(TDateTime value) {
    double whole_days = std::trunc(value);
    double seconds = std::round(std::fabs(value - whole_days) * kSecondsPerDay);
    if (seconds >= kSecondsPerDay) {
        seconds -= kSecondsPerDay;
        whole_days += value < 0 ? -1 : 1;
    }
    const std::chrono::year_month_day date{kDayZero +
                                           std::chrono::days{static_cast<long>(whole_days)}};
    const int total = static_cast<int>(seconds);
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02u-%02uT%02d:%02d:%02d", int(date.year()),
                  unsigned(date.month()), unsigned(date.day()), total / 3600, total / 60 % 60,
                  total % 60);
    return text;
}

}  // namespace saver
