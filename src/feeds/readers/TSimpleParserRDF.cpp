#include "feeds/readers/TSimpleParserRDF.h"

#include "feeds/readers/ChannelExtras.h"
#include "feeds/readers/ItemFields.h"
#include "feeds/readers/ReaderSupport.h"
#include "feeds/readers/TSimpleRSS.h"

namespace saver {
namespace {

// Only the title, link and description inside the channel element are read.
void ReadChannelElement(TRSSChannelReq& required, XmlNode element) {
    for (XmlNode child : element.Children()) {
        ReadRequiredField(required, child.QualifiedName(), child);
    }
}

void ReadGUID(TRSSItemGUID& guid, XmlNode element) {
    std::optional<std::string> value = element.Value();
    if (!value) {
        return;
    }
    guid.Include = true;
    guid.GUID = std::move(*value);
    ReadPermaLink(guid, element);
}

// Subjects (Dublin Core) and categories, in document order.
bool IsCategory(XmlNode child) {
    return child.LocalName() == "subject" || child.LocalName() == "category";
}

void ReadItem(TRSSItem& item, XmlNode element) {
    AssignChildIfGiven(item.Title, element, "title");
    AssignChildIfGiven(item.Link, element, "link");
    AssignChildIfGiven(item.Description, element, "description");
    AssignChildIfGiven(item.Author.Name, element, "author");
    AssignChildIfGiven(item.Comments, element, "comments");
    Guarded([&] { ReadItemDetails(item, element, {"dc:date", "guid", ReadGUID, IsCategory}); });
}

}  // namespace

void TSimpleParserRDF::Parse() {
    TRSSChannel& model = rss_.Channel();
    for (XmlNode child : rss_.XMLFile().Root().Children()) {
        if (child.QualifiedName() == "channel") {
            ReadChannelElement(model.Required, child);
        } else {
            ReadChannelChild(model, rss_.Items(), child, ReadItem);
        }
    }
}

}  // namespace saver
