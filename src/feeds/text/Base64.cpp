#include "feeds/text/Base64.h"

#include <cstdint>

#include "feeds/text/TextConvert.h"

namespace saver {
namespace {

int SextetOf(char c) {
    if (c >= 'A' && c <= 'Z') {
        return c - 'A';
    }
    if (c >= 'a' && c <= 'z') {
        return c - 'a' + 26;
    }
    if (c >= '0' && c <= '9') {
        return c - '0' + 52;
    }
    if (c == '+') {
        return 62;
    }
    return c == '/' ? 63 : -1;
}

[[noreturn]] void Invalid() {
    throw EConvertError("Invalid base64 text");
}

}  // namespace

std::string DecodeBase64(std::string_view text) {
    if (text.size() % 4 != 0) {
        Invalid();
    }
    std::string bytes;
    bytes.reserve(text.size() / 4 * 3);
    for (size_t at = 0; at < text.size(); at += 4) {
        const bool last = at + 4 == text.size();
        const int padding = last ? (text[at + 3] == '=') + (text[at + 2] == '=') : 0;
        uint32_t group = 0;
        for (int i = 0; i < 4; ++i) {
            const int sextet = i >= 4 - padding ? 0 : SextetOf(text[at + static_cast<size_t>(i)]);
            if (sextet < 0) {
                Invalid();
            }
            group = group << 6 | static_cast<uint32_t>(sextet);
        }
        if (padding == 1 && text[at + 2] == '=') {
            Invalid();
        }
        bytes.push_back(static_cast<char>(group >> 16));
        if (padding < 2) {
            bytes.push_back(static_cast<char>(group >> 8 & 0xFF));
        }
        if (padding < 1) {
            bytes.push_back(static_cast<char>(group & 0xFF));
        }
    }
    return bytes;
}

}  // namespace saver
