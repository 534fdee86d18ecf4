#include "feeds/model/TBlankText.h"

#include "feeds/text/TextConvert.h"

namespace saver {

const std::string& TBlankText::Get() const {
    static const std::string empty;
    return TrimBlanks(text_).empty() ? empty : text_;
}

}  // namespace saver
