#pragma once

#include <cstdint>
#include <string>

#include "feeds/TLanguages.h"
#include "feeds/TRFC822DateTime.h"
#include "feeds/TRSSChannelCategory.h"
#include "feeds/TRSSChannelSkipDays.h"
#include "feeds/TRSSChannelSkipHours.h"
#include "feeds/TRSSCloud.h"
#include "feeds/TRSSImage.h"
#include "feeds/TRSSTextInput.h"

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
