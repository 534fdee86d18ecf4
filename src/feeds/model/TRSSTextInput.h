#pragma once

#include <string>

namespace saver {

// The channel's text input box.
struct TRSSTextInput {
    std::string Title;
    std::string Description;
    std::string TextInputName;
    std::string Link;
    bool Include = false;
};

}  // namespace saver
