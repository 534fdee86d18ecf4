#include "aatext/text/TAACustomText.h"

namespace saver {

TAACustomText::TAACustomText(const Registry* registry) : labels_(registry) {
    fonts_.OnChange = [this] { Changed(); };
    labels_.OnChange = [this] { Changed(); };
}

}  // namespace saver
