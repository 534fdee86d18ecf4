#include "feeds/model/TRSSItemGUID.h"

#include <cstdint>
#include <random>

namespace saver {

namespace {

// Writes the `digits` low hexadecimal digits of `value`, upper case, at `out`.
char* PutHex(char* out, uint64_t value, int digits) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    for (int i = digits - 1; i >= 0; --i) {
        out[i] = kHex[value & 0xF];
        value >>= 4;
    }
    return out + digits;
}

}  // namespace

std::string NewGuidText() {
    thread_local std::mt19937_64 random(std::random_device{}());
    // Version 4 (random) in the third group, variant 10xx in the fourth.
    const uint64_t high = (random() & 0xFFFFFFFFFFFF0FFFull) | 0x0000000000004000ull;
    const uint64_t low = (random() & 0x3FFFFFFFFFFFFFFFull) | 0x8000000000000000ull;
    char text[38];
    char* out = text;
    *out++ = '{';
    out = PutHex(out, high >> 32, 8);
    *out++ = '-';
    out = PutHex(out, high >> 16, 4);
    *out++ = '-';
    out = PutHex(out, high, 4);
    *out++ = '-';
    out = PutHex(out, low >> 48, 4);
    *out++ = '-';
    out = PutHex(out, low, 12);
    *out++ = '}';
    return std::string(text, sizeof text);
}

TRSSItemGUID::TRSSItemGUID() : GUID(NewGuidText()) {}

}  // namespace saver
