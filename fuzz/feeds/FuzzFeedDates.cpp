// Both feed date parsers over any text: no crash, and a value within the calendar.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "feeds/model/TRFC822DateTime.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    saver::TRFC822DateTime date;
    date.ParseRFC822(text);
    const double rfc822 = date.DateTime;
    date.ParseISO8601(text);
    // Year 1 to 9999 lie between these day numbers.
    if (rfc822 < -693594 || rfc822 > 2958466 || date.DateTime < -693594 ||
        date.DateTime > 2958466) {
        std::abort();
    }
    return 0;
}
