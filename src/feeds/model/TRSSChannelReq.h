#pragma once

#include "feeds/model/TBlankText.h"

namespace saver {

// The channel's title, link and description.
struct TRSSChannelReq {
    TBlankText Title;
    TBlankText Link;
    TBlankText Desc;
};

}  // namespace saver
