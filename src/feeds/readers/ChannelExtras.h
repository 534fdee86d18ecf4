#pragma once

#include <string_view>

#include "feeds/model/TRSSChannel.h"
#include "feeds/model/TRSSChannelOpt.h"
#include "feeds/model/TRSSChannelReq.h"
#include "feeds/model/TRSSItem.h"
#include "feeds/xml/XmlNode.h"

namespace saver {

// The channel elements besides title, link, description, category and item, read the
// same way by the RSS, RDF and Atom readers. Each raises on a bad value; the readers run
// them inside a guard per element.

// "title", "link" or "description" into the channel's required fields, if given; false
// for any other name.
bool ReadRequiredField(TRSSChannelReq& required, std::string_view name, XmlNode element);
// One channel category with its text and its "domain" attribute, each if given.
void AddChannelCategory(TRSSChannelCategories& categories, XmlNode element);
// language: Language from the code and XLang the raw code for langX, when given.
void ReadLanguage(TRSSChannelOpt& channel, XmlNode element);
void ReadCloud(TRSSCloud& cloud, XmlNode element);
void ReadTTL(TRSSChannelOpt& channel, XmlNode element);
void ReadImage(TRSSImage& image, XmlNode element);
void ReadTextInput(TRSSTextInput& input, XmlNode element);
// Each child whose value is exactly "0".."23" marks that hour. A child whose value cannot
// be read is skipped when `swallow` is set, else its error passes on.
void ReadSkipHours(TRSSChannelSkipHours& hours, XmlNode element, bool swallow);
// Each child whose value is exactly a day name ("Monday" ...) marks that day.
void ReadSkipDays(TRSSChannelSkipDays& days, XmlNode element, bool swallow);

// Runs the action of the RSS and RDF channel rows named `name` (qualified name of the
// element); an unknown name does nothing.
void ReadChannelExtra(TRSSChannelOpt& channel, std::string_view name, XmlNode element);

// Reads one child of an RSS or RDF channel: a category, an item (added to `items` and
// read by the format's `read_item`), a required field, or a channel extra inside a guard.
using ItemReader = void (*)(TRSSItem& item, XmlNode element);
void ReadChannelChild(TRSSChannel& channel, TRSSItems& items, XmlNode child, ItemReader read_item);

}  // namespace saver
