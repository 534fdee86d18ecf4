#include "feeds/model/TiTunesDuration.h"

#include "feeds/text/TextConvert.h"

namespace saver {
namespace {

int32_t DurationPart(std::string_view text) {
    const std::optional<int32_t> value = TryParseInteger(text);
    if (!value) {
        throw EConvertError("'" + std::string(text) + "' is not a valid integer value");
    }
    return *value;
}

}  // namespace

std::string TiTunesDuration::Duration() const {
    return std::to_string(Hour) + ":" + std::to_string(Minute) + ":" +
           (Second >= 0 && Second < 10 ? "0" : "") + std::to_string(Second);
}

void TiTunesDuration::SetDuration(std::string_view text) {
    const size_t first = text.find(':');
    const size_t second = first == std::string_view::npos ? first : text.find(':', first + 1);
    const int32_t hour = DurationPart(text.substr(0, first));
    const int32_t minute =
        DurationPart(first == std::string_view::npos ? std::string_view()
                                                     : text.substr(first + 1, second - first - 1));
    const int32_t sec = DurationPart(second == std::string_view::npos ? std::string_view()
                                                                      : text.substr(second + 1));
    Hour = hour;
    Minute = minute;
    Second = sec;
}

}  // namespace saver
