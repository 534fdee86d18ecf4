// The text helpers of the styled text control, which feed titles reach unchanged: tag
// search, row splitting and line wrapping, on any bytes and any column count.

#include "aatext/text/TextRows.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) {
        return 0;
    }
    const int max_column = static_cast<int>(data[0]) - 8;
    const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
    saver::FindTag(text, "line");
    saver::FindTag(text, "Title1");
    for (const std::string& row : saver::SplitRows(text)) {
        const std::string wrapped = saver::WrapLine(row, max_column);
        saver::SplitRows(wrapped);
    }
    return 0;
}
