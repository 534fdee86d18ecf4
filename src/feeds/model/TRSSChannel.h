#pragma once

#include <string>

#include "feeds/model/TRSSChannelOpt.h"
#include "feeds/model/TRSSChannelReq.h"
#include "feeds/model/TiTunesChannelExtra.h"

namespace saver {

// The channel of one feed, whatever format it was read from.
struct TRSSChannel {
    TRSSChannelReq Required;
    TRSSChannelOpt Optional;
    TiTunesChannelExtra iTunes;
    // Identifier of the channel; no reader fills it.
    std::string AboutURL;
};

}  // namespace saver
