#pragma once

#include <string>

#include "feeds/model/TRFC822DateTime.h"
#include "feeds/model/TRSSAuthor.h"
#include "feeds/model/TRSSItemCategory.h"
#include "feeds/model/TRSSItemEnclosure.h"
#include "feeds/model/TRSSItemGUID.h"
#include "feeds/model/TRSSItemSource.h"
#include "feeds/model/TiTunesItemExtra.h"

namespace saver {

// The kind of text an item's description holds.
enum class TContentType { ctText, ctHTML, ctXHTML };

// One item (story, entry, episode) of a feed.
struct TRSSItem {
    std::string Title;
    std::string Link;
    // Body or summary, possibly holding HTML markup.
    std::string Description;
    TRSSAuthor Author;
    TRSSItemCategories Categories;
    std::string Comments;
    TRSSItemEnclosure Enclosure;
    TRSSItemGUID GUID;
    TRFC822DateTime PubDate;
    TRSSItemSource Source;
    TContentType ContentType = TContentType::ctText;
    TiTunesItemExtra iTunes;
};

using TRSSItems = TCollection<TRSSItem>;

}  // namespace saver
