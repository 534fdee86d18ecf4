#include "startup/PackageLayout.h"

#include "base/Files.h"
#include "base/TextEncoding.h"

namespace saver {

namespace {

// The text with every byte shifted back by one. The shift is read at run time so that
// the compiler cannot fold the result back into the program's constants.
std::string Unshifted(std::string text) {
    static volatile char shift = 1;
    for (char& c : text) {
        c = static_cast<char>(c - shift);
    }
    return text;
}

}  // namespace

std::string PackageMarker() {
    return Unshifted("$Pswbof$");  // "#Orvane#"
}

std::string HostMark() {
    return Unshifted("tbwfsiptu!qsphsbn!nbsl!2");  // "saverhost program mark 1"
}

PackageHeader ReadPackageHeader(std::string_view tail) {
    PackageHeader header;
    const std::string marker = PackageMarker();
    size_t at = tail.find(marker);
    if (at == std::string_view::npos) {
        return header;
    }
    header.found = true;
    std::string_view rest = tail.substr(at + marker.size());
    size_t separator = rest.find(kPackageSeparator);
    if (separator == std::string_view::npos) {
        return header;
    }
    // A Windows authoring tool writes the name in its ANSI code page; decoded, it matches
    // the archive's entry name, which libzip gives in UTF-8.
    header.name = SafeFileName(DecodeText(rest.substr(0, separator)).text);
    header.archive_offset = at + marker.size() + separator + kPackageSeparator.size();
    header.valid = !header.name.empty();
    return header;
}

}  // namespace saver
