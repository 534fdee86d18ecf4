#include "feeds/text/FeedTimeText.h"

#include <chrono>
#include <cmath>
#include <ctime>

namespace saver {

namespace {

constexpr long kSecondsPerDay = 86400;
constexpr std::chrono::sys_days kDayZero = std::chrono::sys_days(std::chrono::year{1899} / 12 / 30);

}  // namespace

std::string FeedTimeText(TDateTime value, long offset_seconds) {
    const double total = std::round(value * kSecondsPerDay) + static_cast<double>(offset_seconds);
    if (!std::isfinite(total) || std::fabs(total) > 1e13) {
        return "";
    }
    const long long seconds = static_cast<long long>(total);
    long long days = seconds / kSecondsPerDay;
    long long time = seconds % kSecondsPerDay;
    if (time < 0) {
        time += kSecondsPerDay;
        --days;
    }
    const std::chrono::year_month_day date{kDayZero + std::chrono::days{days}};
    std::tm parts{};
    parts.tm_year = int(date.year()) - 1900;
    parts.tm_mon = static_cast<int>(unsigned(date.month())) - 1;
    parts.tm_mday = static_cast<int>(unsigned(date.day()));
    parts.tm_hour = static_cast<int>(time / 3600);
    parts.tm_min = static_cast<int>(time / 60 % 60);
    parts.tm_sec = static_cast<int>(time % 60);
    char text[128];
    const size_t length = std::strftime(text, sizeof text, time == 0 ? "%x" : "%x %X", &parts);
    return std::string(text, length);
}

long StandardTimeOffsetSeconds() {
    tzset();
    return -timezone;
}

}  // namespace saver
