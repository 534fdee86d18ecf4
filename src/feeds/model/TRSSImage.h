#pragma once

#include "feeds/model/TRSSImageOpt.h"
#include "feeds/model/TRSSImageReq.h"

namespace saver {

// The channel image; Include tells whether the feed had one.
struct TRSSImage {
    bool Include = false;
    TRSSImageReq Required;
    TRSSImageOpt Optional;
};

}  // namespace saver
