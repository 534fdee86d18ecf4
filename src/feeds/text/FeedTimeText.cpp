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

// The seconds since day zero that `value` stands for; nothing for a value beyond any
// calendar.
std::optional<long long> Seconds(TDateTime value) {
    const double total = std::round(value * kSecondsPerDay);
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

std::string LocalFeedTimeText(TDateTime value) {
    const std::optional<long long> seconds = Seconds(value);
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

}  // namespace saver
