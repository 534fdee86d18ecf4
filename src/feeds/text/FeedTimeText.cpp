#include "feeds/text/FeedTimeText.h"

#include <chrono>
#include <cmath>
#include <ctime>
#include <optional>

namespace saver {

namespace {

constexpr long kSecondsPerDay = 86400;
constexpr std::chrono::sys_days kDayZero = std::chrono::sys_days(std::chrono::year{1899} / 12 / 30);
// Beyond this many seconds from day zero no calendar of ours makes sense of a date.
constexpr double kSecondsLimit = 1e13;

// The seconds since day zero that `value` stands for, moved by `offset_seconds`;
// nothing for a value beyond any calendar.
std::optional<long long> Seconds(TDateTime value, long offset_seconds) {
    const double total = std::round(value * kSecondsPerDay) + static_cast<double>(offset_seconds);
    if (!std::isfinite(total) || std::fabs(total) > kSecondsLimit) {
        return std::nullopt;
    }
    return static_cast<long long>(total);
}

// The locale's short date and long time, the time left out at exactly midnight.
std::string Format(const std::tm& parts) {
    const bool midnight = parts.tm_hour == 0 && parts.tm_min == 0 && parts.tm_sec == 0;
    char text[128];
    const size_t length = std::strftime(text, sizeof text, midnight ? "%x" : "%x %X", &parts);
    return std::string(text, length);
}

}  // namespace

std::string FeedTimeText(TDateTime value, long offset_seconds) {
    const std::optional<long long> seconds = Seconds(value, offset_seconds);
    if (!seconds) {
        return "";
    }
    long long days = *seconds / kSecondsPerDay;
    long long time = *seconds % kSecondsPerDay;
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
    return Format(parts);
}

std::string LocalFeedTimeText(TDateTime value) {
    const std::optional<long long> seconds = Seconds(value, 0);
    if (!seconds) {
        return "";
    }
    const long long epoch_seconds =
        std::chrono::duration_cast<std::chrono::seconds>(kDayZero.time_since_epoch()).count();
    const auto moment = static_cast<std::time_t>(*seconds + epoch_seconds);
    std::tm parts{};
    if (!localtime_r(&moment, &parts)) {
        return "";
    }
    return Format(parts);
}

long StandardTimeOffsetSeconds() {
    tzset();
    return -timezone;
}

}  // namespace saver
