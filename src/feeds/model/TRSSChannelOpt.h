#pragma once

#include <cstdint>
#include <string>

#include "feeds/model/TLanguages.h"
#include "feeds/model/TRFC822DateTime.h"
#include "feeds/model/TRSSChannelCategory.h"
#include "feeds/model/TRSSChannelSkipDays.h"
#include "feeds/model/TRSSChannelSkipHours.h"
#include "feeds/model/TRSSCloud.h"
#include "feeds/model/TRSSImage.h"
#include "feeds/model/TRSSTextInput.h"

namespace saver {

// Everything of the channel besides title, link and description.
class TRSSChannelOpt {
  public:
    TLanguages Language = TLanguages::langEN;
    // The raw language code when Language is langX, else empty.
    std::string XLang;
    std::string Copyright;
    std::string ManagingEditor;
    std::string WebMaster;
    TRFC822DateTime PubDate;
    TRFC822DateTime LastBuildDate;
    TRSSChannelCategories Categories;
    std::string Generator = "RSS 0.4.1";
    std::string Docs = "Doc";
    TRSSCloud Cloud;
    // Minutes the feed may be cached; a value <= 0 is stored as 0.
    int32_t TTL() const { return ttl_; }
    void SetTTL(int32_t ttl) { ttl_ = ttl <= 0 ? 0 : ttl; }
    TRSSImage Image;
    std::string Rating;
    TRSSTextInput TextInput;
    TRSSChannelSkipHours SkipHours;
    TRSSChannelSkipDays SkipDays;

  private:
    int32_t ttl_ = 60;
};

}  // namespace saver
