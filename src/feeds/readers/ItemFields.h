#pragma once

#include <string_view>

#include "feeds/model/TRSSItem.h"
#include "feeds/xml/XmlNode.h"

namespace saver {

enum class DateFormat { kRFC822, kISO8601 };

// Item elements that the RSS, RDF and Atom readers read alike.

// From the attributes "url", "length" and "type", each if given; then Include.
void ReadEnclosure(TRSSItemEnclosure& enclosure, XmlNode element);
// Include; the title from the value and the address from the attribute "url", if given.
void ReadSource(TRSSItemSource& source, XmlNode element);
// IsPermaLink from the attribute "isPermaLink" (exactly "true"), when it is given.
void ReadPermaLink(TRSSItemGUID& guid, XmlNode element);
// One category with its title and domain, if given.
void AddCategory(TRSSItemCategories& categories, XmlNode element);
// The value of the element's first child node, or null when it has none.
std::optional<std::string> FirstChildValue(XmlNode element);
// The date parsed from the value of the child found by `name`, if given.
void ReadChildDate(TRFC822DateTime& date, XmlNode parent, std::string_view name, DateFormat format);

// How one format names the item elements that ReadItemDetails reads.
struct ItemDetailRules {
    std::string_view iso_date;  // the W3C-dated element, such as "dc:date"
    std::string_view id;        // the identifier element, such as "guid"
    void (*read_id)(TRSSItemGUID& guid, XmlNode element);
    bool (*is_category)(XmlNode child);
};

// The item elements after its texts, in this order: the W3C date, "enclosure", the
// identifier, "pubDate" (so it decides when both dates are given), "source", and every
// child that is a category. Errors pass to the caller.
void ReadItemDetails(TRSSItem& item, XmlNode element, const ItemDetailRules& rules);

}  // namespace saver
