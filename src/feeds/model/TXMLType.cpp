#include "feeds/model/TXMLType.h"

namespace saver {

std::string_view XMLTypeName(TXMLType type) {
    switch (type) {
        case TXMLType::xtRDF:
            return "xtRDF";
        case TXMLType::xtRSS:
            return "xtRSS";
        case TXMLType::xtAtom:
            return "xtAtom";
        case TXMLType::xtiTunes:
            return "xtiTunes";
    }
    return "";
}

}  // namespace saver
