#include "feeds/readers/ItemFields.h"

#include "feeds/readers/ReaderSupport.h"
#include "feeds/text/TextConvert.h"

namespace saver {

void ReadEnclosure(TRSSItemEnclosure& enclosure, XmlNode element) {
    AssignAttributeIfGiven(enclosure.URL, element, "url");
    if (const std::optional<std::string> length = element.AttributeValue("length")) {
        enclosure.Length = VariantToInteger(*length);
    }
    AssignAttributeIfGiven(enclosure.EnclosureType, element, "type");
    enclosure.Include = true;
}

void ReadSource(TRSSItemSource& source, XmlNode element) {
    source.Include = true;
    AssignIfGiven(source.Title, element);
    AssignAttributeIfGiven(source.URL, element, "url");
}

void ReadPermaLink(TRSSItemGUID& guid, XmlNode element) {
    if (const std::optional<std::string> perma_link = element.AttributeValue("isPermaLink")) {
        guid.IsPermaLink = *perma_link == "true";
    }
}

void AddCategory(TRSSItemCategories& categories, XmlNode element) {
    TRSSItemCategory& category = categories.Add();
    AssignIfGiven(category.Title, element);
    AssignAttributeIfGiven(category.Domain, element, "domain");
}

std::optional<std::string> FirstChildValue(XmlNode element) {
    const XmlNode first = element.FirstChild();
    return first ? first.Value() : std::nullopt;
}

namespace {

// A prefixed element such as "dc:date" lies in its own namespace, which the namespace rule
// of Find skips inside an item of a default namespace (RSS 1.0 items); it is then found by
// its qualified name.
XmlNode FindDateElement(XmlNode parent, std::string_view name) {
    if (XmlNode found = parent.Find(name); found || name.find(':') == std::string_view::npos) {
        return found;
    }
    for (XmlNode child : parent.Children()) {
        if (child.IsElement() && child.QualifiedName() == name) {
            return child;
        }
    }
    return XmlNode();
}

}  // namespace

void ReadChildDate(TRFC822DateTime& date, XmlNode parent, std::string_view name,
                   DateFormat format) {
    const XmlNode element = FindDateElement(parent, name);
    const std::optional<std::string> value = element ? element.Value() : std::nullopt;
    if (!value) {
        return;
    }
    if (format == DateFormat::kISO8601) {
        date.ParseISO8601(*value);
    } else {
        date.ParseRFC822(*value);
    }
}

void ReadItemDetails(TRSSItem& item, XmlNode element, const ItemDetailRules& rules) {
    ReadChildDate(item.PubDate, element, rules.iso_date, DateFormat::kISO8601);
    if (XmlNode enclosure = element.Find("enclosure")) {
        ReadEnclosure(item.Enclosure, enclosure);
    }
    if (XmlNode id = element.Find(rules.id)) {
        rules.read_id(item.GUID, id);
    }
    ReadChildDate(item.PubDate, element, "pubDate", DateFormat::kRFC822);
    if (XmlNode source = element.Find("source")) {
        ReadSource(item.Source, source);
    }
    for (XmlNode child : element.Children()) {
        if (child.IsElement() && rules.is_category(child)) {
            AddCategory(item.Categories, child);
        }
    }
}

}  // namespace saver
