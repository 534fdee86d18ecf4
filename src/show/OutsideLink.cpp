#include "show/OutsideLink.h"

#include <algorithm>
#include <array>
#include <cstdio>

#include "platform/Shell.h"

namespace saver {

namespace {

constexpr std::array<std::string_view, 3> kAllowedSchemes = {"http", "https", "mailto"};

bool IsAsciiLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// The scheme before the first ":" in lower case, empty when the address has none.
std::string SchemeOf(std::string_view address) {
    const size_t colon = address.find(':');
    if (colon == std::string_view::npos || colon == 0 || !IsAsciiLetter(address[0])) {
        return "";
    }
    std::string scheme;
    for (char c : address.substr(0, colon)) {
        const bool digit = c >= '0' && c <= '9';
        if (!IsAsciiLetter(c) && !digit && c != '+' && c != '-' && c != '.') {
            return "";
        }
        scheme += static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    }
    return scheme;
}

bool IsControlOrBlank(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte <= 0x20 || byte == 0x7F;
}

}  // namespace

bool IsOutsideLinkAllowed(std::string_view address) {
    if (std::any_of(address.begin(), address.end(), IsControlOrBlank)) {
        return false;
    }
    const std::string scheme = SchemeOf(address);
    return std::find(kAllowedSchemes.begin(), kAllowedSchemes.end(), scheme) !=
           kAllowedSchemes.end();
}

bool OpenOutsideLink(Shell& shell, const std::string& address) {
    if (!IsOutsideLinkAllowed(address)) {
        // The address is the page's choice: its control characters never reach the terminal.
        std::string shown = address;
        std::replace_if(shown.begin(), shown.end(), IsControlOrBlank, '?');
        std::fprintf(stderr, "saverhost: not opening %s: only http, https and mailto links open\n",
                     shown.c_str());
        return false;
    }
    return shell.OpenDocument(address);
}

}  // namespace saver
