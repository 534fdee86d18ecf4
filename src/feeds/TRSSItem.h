#pragma once

#include <string>

#include "feeds/TRFC822DateTime.h"
#include "feeds/TRSSAuthor.h"
#include "feeds/TRSSItemCategory.h"
#include "feeds/TRSSItemEnclosure.h"
#include "feeds/TRSSItemGUID.h"
#include "feeds/TRSSItemSource.h"
#include "feeds/TiTunesItemExtra.h"

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
