// Feeds any bytes to the feed component, as a download would.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <stdexcept>
#include <string>

#include "feeds/readers/TSimpleRSS.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::istringstream stream(std::string(reinterpret_cast<const char*>(data), size));
    saver::TSimpleRSS rss;
    try {
        rss.LoadFromStream(stream);
    } catch (const std::runtime_error&) {
        // A clean failure is a correct answer to a broken feed.
    }
    return 0;
}
