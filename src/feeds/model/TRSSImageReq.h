#pragma once

#include "feeds/model/TBlankText.h"

namespace saver {

// The channel image's address, title and link.
struct TRSSImageReq {
    TBlankText URL;
    TBlankText Title;
    TBlankText Link;
};

}  // namespace saver
