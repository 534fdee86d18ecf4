#include "feeds/TBlankText.h"

#include "feeds/TextConvert.h"

namespace saver {

const std::string& TBlankText::Get() const {
    static const std::string empty;
    return TrimBlanks(text_).empty() ? empty : text_;
}

}  // namespace saver
