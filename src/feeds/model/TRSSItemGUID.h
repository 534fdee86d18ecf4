#pragma once

#include <string>

namespace saver {

// An item's identifier. A fresh one holds a newly generated unique identifier in registry
// form ("{8-4-4-4-12}" upper-case hexadecimal digits) until a feed gives its own.
struct TRSSItemGUID {
    TRSSItemGUID();

    std::string GUID;
    bool IsPermaLink = false;
    bool Include = false;
};

// A new random (version 4) unique identifier in registry form.
std::string NewGuidText();

}  // namespace saver
