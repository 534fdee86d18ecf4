#include "aatext/text/LabelCollection.h"

#include <cwctype>

#include "aatext/text/Utf8.h"

namespace saver {

bool SameName(const std::string& a, const std::string& b) {
    const std::u32string x = Utf8Decode(a);
    const std::u32string y = Utf8Decode(b);
    if (x.size() != y.size()) {
        return false;
    }
    for (size_t i = 0; i < x.size(); ++i) {
        if (std::towlower(static_cast<wint_t>(x[i])) != std::towlower(static_cast<wint_t>(y[i]))) {
            return false;
        }
    }
    return true;
}

}  // namespace saver
