// PlainText over any text: the result never holds a bracket and is never longer.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "feeds/text/PlainText.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::string plain = saver::PlainText(text);
    if (plain.find_first_of("<>") != std::string::npos || plain.size() > text.size()) {
        std::abort();
    }
    return 0;
}
