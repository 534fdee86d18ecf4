#pragma once

#include <string_view>

namespace saver {

// The format of a feed document, recognised from its root element.
enum class TXMLType { xtRDF, xtRSS, xtAtom, xtiTunes };

// The enumerator's name, such as "xtRSS".
std::string_view XMLTypeName(TXMLType type);

}  // namespace saver
