#include "startup/PackageLayout.h"

#include "base/Files.h"
#include "base/TextEncoding.h"

namespace saver {

std::string PackageMarker() {
    // "#Orvane#" with every byte shifted by one; the shift is read at run time so that
    // the compiler cannot fold the marker back into the program's constants.
    static volatile char shift = 1;
    std::string marker = "$Pswbof$";
    for (char& c : marker) {
        c = static_cast<char>(c - shift);
    }
    return marker;
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
