#include "base/AuthorText.h"

#include "base/Text.h"
#include "base/TextEncoding.h"

namespace saver {

std::string AuthorText(std::string_view bytes) {
    return DecodeText(bytes).text;
}

std::string PageTemplateText(std::string_view bytes) {
    if (DeclaresCharset(bytes)) {
        return std::string(bytes);
    }
    return "\xEF\xBB\xBF" + AuthorText(bytes);
}

bool DeclaresCharset(std::string_view html) {
    const std::string upper = UpperCase(html);
    for (size_t meta = upper.find("<META"); meta != std::string::npos;
         meta = upper.find("<META", meta + 1)) {
        const std::string_view tag =
            std::string_view(upper).substr(meta, upper.find('>', meta) - meta);
        for (size_t at = tag.find("CHARSET"); at != std::string_view::npos;
             at = tag.find("CHARSET", at + 1)) {
            if (Trim(tag.substr(at + 7)).starts_with('=')) {
                return true;
            }
        }
    }
    return false;
}

}  // namespace saver
