#include "feeds/readers/TSimpleParserRSS.h"

#include "feeds/readers/ChannelExtras.h"
#include "feeds/readers/ESimpleRSSException.h"
#include "feeds/readers/ItemFields.h"
#include "feeds/readers/ReaderSupport.h"
#include "feeds/readers/TSimpleRSS.h"

namespace saver {
namespace {

// "content", then "content:encoded", then "description": each later one that yields a
// value replaces the earlier.
void ReadDescription(TRSSItem& item, XmlNode element) {
    for (std::string_view name : {"content", "content:encoded", "description"}) {
        if (XmlNode found = element.Find(name)) {
            if (std::optional<std::string> value = FirstChildValue(found)) {
                item.Description = std::move(*value);
            }
        }
    }
}

void ReadGUID(TRSSItemGUID& guid, XmlNode element) {
    guid.Include = true;
    AssignIfGiven(guid.GUID, element);
    ReadPermaLink(guid, element);
}

void ReadItem(TRSSItem& item, XmlNode element) {
    if (!element.Find("title") && !element.Find("description")) {
        throw ESimpleRSSException("Required Field Missing. Field: item -> title");
    }
    AssignChildIfGiven(item.Title, element, "title");
    AssignChildIfGiven(item.Link, element, "link");
    ReadDescription(item, element);
    AssignChildIfGiven(item.Author.Name, element, "author");
    AssignChildIfGiven(item.Comments, element, "comments");
    const ItemDetailRules rules = {"dc:date", "guid", ReadGUID,
                                   [](XmlNode child) { return child.LocalName() == "category"; }};
    ReadItemDetails(item, element, rules);
}

}  // namespace

void TSimpleParserRSS::Parse() {
    XmlNode channel = rss_.XMLFile().Root().GetByName("channel");
    if (!channel.Find("item") && !channel.Find("category")) {
        return;
    }
    for (XmlNode child : channel.Children()) {
        ReadChannelChild(rss_.Channel(), rss_.Items(), child, ReadItem);
    }
}

}  // namespace saver
