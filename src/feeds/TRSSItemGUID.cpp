#include "feeds/TRSSItemGUID.h"

#include <cstdint>
#include <cstdio>
#include <random>

namespace saver {

std::string NewGuidText() {
    thread_local std::mt19937_64 random(std::random_device{}());
    const uint64_t high = (random() & 0xFFFFFFFFFFFF0FFFull) | 0x0000000000004000ull;
    const uint64_t low = (random() & 0x3FFFFFFFFFFFFFFFull) | 0x8000000000000000ull;
    char text[40];
    std::snprintf(text, sizeof text, "{%08X-%04X-%04X-%04X-%012llX}",
                  static_cast<unsigned>(high >> 32), static_cast<unsigned>(high >> 16 & 0xFFFF),
                  static_cast<unsigned>(high & 0xFFFF), static_cast<unsigned>(low >> 48),
                  static_cast<unsigned long long>(low & 0xFFFFFFFFFFFFull));
    return text;
}

TRSSItemGUID::TRSSItemGUID() : GUID(NewGuidText()) {}

}  // namespace saver
