#include "feeds/model/TRFC822DateTime.h"

#include <array>
#include <optional>

#include "feeds/text/TextConvert.h"

namespace saver {
namespace {

constexpr std::array<std::string_view, 7> kDayNames = {"SUN", "MON", "TUE", "WED",
                                                       "THU", "FRI", "SAT"};
constexpr std::array<std::string_view, 12> kMonthNames = {"JAN", "FEB", "MAR", "APR", "MAY", "JUN",
                                                          "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};

std::string UpperAscii(std::string_view text) {
    std::string upper(text);
    for (char& c : upper) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return upper;
}

// 1..12 for a three-letter month name in any letter case, 0 otherwise.
int MonthNumber(std::string_view token) {
    const std::string upper = UpperAscii(token);
    for (size_t i = 0; i < kMonthNames.size(); ++i) {
        if (upper == kMonthNames[i]) {
            return static_cast<int>(i) + 1;
        }
    }
    return 0;
}

bool StartsWithDayName(std::string_view text) {
    const std::string upper = UpperAscii(text.substr(0, 3));
    for (std::string_view day : kDayNames) {
        if (upper == day) {
            return true;
        }
    }
    return false;
}

// Splits off the text before the first `separator`; without one the whole text is the
// token and nothing remains.
std::string_view NextToken(std::string_view& rest, char separator) {
    const size_t at = rest.find(separator);
    const std::string_view token = rest.substr(0, at);
    rest = at == std::string_view::npos ? std::string_view() : rest.substr(at + 1);
    return token;
}

int NumberOr(std::string_view text, int fallback) {
    return TryParseInteger(text).value_or(fallback);
}

int TwoDigitYear(int year) {
    if (year < 80) {
        return year + 2000;
    }
    return year < 100 ? year + 1900 : year;
}

// The separator of day, month and year: "-" when one comes at the second character or
// later and before the first blank, else the blank.
char DateSeparator(std::string_view text) {
    const size_t dash = text.find('-');
    const size_t blank = text.find(' ');
    const bool dashed = dash != std::string_view::npos && dash >= 1 &&
                        blank != std::string_view::npos && dash < blank;
    return dashed ? '-' : ' ';
}

std::optional<TDateTime> ParseRFC822Value(std::string_view text) {
    if (StartsWithDayName(text)) {
        const size_t blank = text.find(' ');
        if (blank != std::string_view::npos) {
            text = TrimLeftBlanks(text.substr(blank + 1));
        }
    }
    const char separator = DateSeparator(text);
    std::string_view rest = text;
    std::string_view day_text = NextToken(rest, separator);
    std::string_view month_text = NextToken(rest, separator);
    if (day_text.size() == 3 && MonthNumber(day_text) != 0) {
        std::swap(day_text, month_text);
    }
    const int month = MonthNumber(month_text);
    if (month == 0) {
        return std::nullopt;
    }
    std::string_view year_text = NextToken(rest, ' ');
    if (!TryParseInteger(year_text)) {
        std::swap(year_text, rest);
    }
    const std::optional<int32_t> year = TryParseInteger(TrimBlanks(year_text));
    if (!year) {
        return std::nullopt;
    }
    int hour = 0, minute = 0, second = 0;
    if (rest.find(':') != std::string_view::npos) {
        std::string_view time = NextToken(rest, ' ');
        hour = NumberOr(NextToken(time, ':'), 0);
        minute = NumberOr(NextToken(time, ':'), 0);
        second = NumberOr(time, 0);
    }
    return TryEncodeDateTime(TwoDigitYear(*year), month, NumberOr(day_text, 1), hour, minute,
                             second);
}

}  // namespace

TRFC822DateTime::TRFC822DateTime() : DateTime(NowLocal()) {}

void TRFC822DateTime::ParseRFC822(std::string_view text) {
    text = TrimBlanks(text);
    DateTime = text.empty() ? 0 : ParseRFC822Value(text).value_or(0);
}

void TRFC822DateTime::ParseISO8601(std::string_view text) {
    std::string_view rest = text;
    int parts[6] = {0, 0, 0, 0, 0, 0};
    constexpr char kSeparators[5] = {'-', '-', 'T', ':', ':'};
    for (int i = 0; i < 5 && !rest.empty(); ++i) {
        parts[i] = NumberOr(NextToken(rest, kSeparators[i]), 0);
    }
    if (!rest.empty()) {
        parts[5] = NumberOr(rest.substr(0, 2), 0);
        rest.remove_prefix(rest.size() < 2 ? rest.size() : 2);
        if (!rest.empty()) {
            TimeZone = std::string(rest);
        }
    }
    DateTime = TryEncodeDateTime(parts[0], parts[1], parts[2], parts[3], parts[4], parts[5])
                   .value_or(NowLocal());
}

}  // namespace saver
