#include "aatext/text/TFontLabels.h"

#include "aatext/text/TextRows.h"

namespace saver {

void TFontLabels::ApplyFontTags(std::string& line, TFont& font, TAAEffect& effect) const {
    for (int i = 0; i < Count(); ++i) {
        const TFontLabel& label = (*this)[i];
        const size_t pos = FindTag(line, label.Name());
        if (pos == std::string::npos) {
            continue;
        }
        font = label.Font();
        effect.Assign(label.Effect());
        line.erase(pos, label.Name().size() + 2);
    }
}

}  // namespace saver
