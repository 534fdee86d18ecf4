#include "feeds/readers/TSimpleParserAtom.h"

#include "feeds/readers/ChannelExtras.h"
#include "feeds/readers/ItemFields.h"
#include "feeds/readers/ReaderSupport.h"
#include "feeds/readers/TSimpleRSS.h"
#include "feeds/text/Base64.h"

namespace saver {
namespace {

template <class Field>
void AssignHrefIfGiven(Field& field, XmlNode element) {
    if (element) {
        AssignAttributeIfGiven(field, element, "href");
    }
}

// The feed's own title, link, tagline, generator and modification date; a later element
// of the same name overwrites an earlier one.
void ReadHeader(TRSSChannel& channel, XmlNode container) {
    for (XmlNode child : container.Children()) {
        const std::string name = child.QualifiedName();
        if (name == "title") {
            AssignIfGiven(channel.Required.Title, child);
        } else if (name == "link") {
            AssignHrefIfGiven(channel.Required.Link, child);
        } else if (name == "tagline") {
            AssignIfGiven(channel.Required.Desc, child);
        } else if (name == "generator") {
            AssignIfGiven(channel.Optional.Generator, child);
        } else if (name == "modified") {
            if (const std::optional<std::string> value = child.Value()) {
                channel.Optional.PubDate.ParseISO8601(*value);
            }
        }
    }
}

// The description from "content" or "summary": the value of its first child node, or its
// own value when it has none; base64 content ("mode" is "base64") is decoded.
void ReadContent(TRSSItem& item, XmlNode element) {
    std::optional<std::string> value =
        element.HasChildNodes() ? FirstChildValue(element) : element.Value();
    if (value) {
        item.Description = std::move(*value);
    }
    if (element.AttributeValue("mode") == "base64") {
        item.Description = DecodeBase64(item.Description);
    }
}

void ReadAuthor(TRSSAuthor& author, XmlNode element) {
    AssignChildIfGiven(author.Name, element, "name");
    AssignChildIfGiven(author.EMail, element, "email");
    AssignChildIfGiven(author.URL, element, "url");
}

void ReadId(TRSSItemGUID& guid, XmlNode element) {
    if (std::optional<std::string> value = element.Value()) {
        guid.Include = true;
        guid.GUID = std::move(*value);
    }
}

bool IsCategory(XmlNode child) {
    return child.QualifiedName() == "category";
}

void ReadEntry(TRSSItem& item, XmlNode element) {
    AssignChildIfGiven(item.Title, element, "title");
    AssignHrefIfGiven(item.Link, element.Find("link"));
    if (XmlNode content = element.Find("content")) {
        ReadContent(item, content);
    } else if (XmlNode summary = element.Find("summary")) {
        ReadContent(item, summary);
    }
    if (XmlNode author = element.Find("author")) {
        ReadAuthor(item.Author, author);
    }
    AssignChildIfGiven(item.Comments, element, "comments");
    Guarded([&] { ReadItemDetails(item, element, {"modified", "id", ReadId, IsCategory}); });
}

// Language: XLang follows the code for langX, whether or not this element gave one.
void ReadAtomLanguage(TRSSChannelOpt& channel, XmlNode element) {
    const std::optional<std::string> value = element.Value();
    if (value) {
        channel.Language = LanguageFromCode(*value);
    }
    if (channel.Language == TLanguages::langX) {
        channel.XLang = value.value_or(std::string());
    }
}

void ReadFeedExtra(TRSSChannelOpt& channel, std::string_view name, XmlNode element) {
    if (name == "language") {
        ReadAtomLanguage(channel, element);
    } else if (name == "ttl" || name == "image" || name == "rating" || name == "textInput" ||
               name == "skipHours" || name == "skipDays") {
        ReadChannelExtra(channel, name, element);
    }
}

}  // namespace

void TSimpleParserAtom::Parse() {
    const XmlNode root = rss_.XMLFile().Root();
    const XmlNode head = root.Find("head");
    const XmlNode container = head ? head : root;
    TRSSChannel& channel = rss_.Channel();
    ReadHeader(channel, container);
    const int count = container.ChildCount();
    XmlNode child = container.FirstChild();
    for (int index = 0; index < count && child; ++index, child = child.NextSibling()) {
        const std::string name = child.QualifiedName();
        if (name == "entry") {
            ReadEntry(rss_.Items().Add(), child);
        }
        Guarded([&] { ReadFeedExtra(channel.Optional, name, child); });
    }
}

}  // namespace saver
