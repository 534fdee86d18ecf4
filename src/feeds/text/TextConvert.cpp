#include "feeds/text/TextConvert.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace saver {
namespace {

bool IsBlank(char c) {
    return static_cast<unsigned char>(c) <= 32;
}

std::optional<int64_t> ParseWhole(std::string_view digits, int base) {
    int64_t value = 0;
    if (digits.empty()) {
        return std::nullopt;
    }
    const auto [end, error] =
        std::from_chars(digits.data(), digits.data() + digits.size(), value, base);
    if (error != std::errc() || end != digits.data() + digits.size()) {
        return std::nullopt;
    }
    return value;
}

std::optional<int64_t> ParseHex(std::string_view text) {
    if (text.starts_with('$')) {
        return ParseWhole(text.substr(1), 16);
    }
    if (text.starts_with("0x") || text.starts_with("0X")) {
        return ParseWhole(text.substr(2), 16);
    }
    return std::nullopt;
}

// A plain decimal fraction ("12.5", "-3.", ".5"), rounded half to even.
std::optional<int64_t> ParseFraction(std::string_view text) {
    double value = 0;
    const auto [end, error] =
        std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value) ||
        std::fabs(value) > 1e12) {
        return std::nullopt;
    }
    return static_cast<int64_t>(std::nearbyint(value));
}

}  // namespace

std::string_view TrimLeftBlanks(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    return text;
}

std::string_view TrimBlanks(std::string_view text) {
    text = TrimLeftBlanks(text);
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

std::optional<int32_t> TryParseInteger(std::string_view text) {
    const bool negative = text.starts_with('-');
    if (negative || text.starts_with('+')) {
        text.remove_prefix(1);
    }
    if (text.empty() || text.front() == '-' || text.front() == '+') {
        return std::nullopt;
    }
    const std::optional<int64_t> value = ParseWhole(text, 10);
    if (!value) {
        return std::nullopt;
    }
    const int64_t signed_value = negative ? -*value : *value;
    if (signed_value < std::numeric_limits<int32_t>::min() ||
        signed_value > std::numeric_limits<int32_t>::max()) {
        return std::nullopt;
    }
    return static_cast<int32_t>(signed_value);
}

int32_t VariantToInteger(std::string_view text) {
    const std::string_view trimmed = TrimBlanks(text);
    if (const std::optional<int32_t> value = TryParseInteger(trimmed)) {
        return *value;
    }
    std::optional<int64_t> value = ParseHex(trimmed);
    if (!value) {
        value = ParseFraction(trimmed);
    }
    if (!value || *value < std::numeric_limits<int32_t>::min() ||
        *value > std::numeric_limits<int32_t>::max()) {
        throw EConvertError("Could not convert variant of type (String) into type (Integer)");
    }
    return static_cast<int32_t>(*value);
}

}  // namespace saver
