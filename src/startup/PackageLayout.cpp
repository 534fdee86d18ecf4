#include "startup/PackageLayout.h"

#include "base/Files.h"

namespace saver {

std::string PackageMarker() {
    // "#Orvane#" with every byte shifted by one.
    std::string marker = "$Pswbof$";
    for (char& c : marker) {
        c = static_cast<char>(c - 1);
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
    header.name = SafeFileName(rest.substr(0, separator));
    header.archive_offset = at + marker.size() + separator + kPackageSeparator.size();
    header.valid = !header.name.empty();
    return header;
}

}  // namespace saver
