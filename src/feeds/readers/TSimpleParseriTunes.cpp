#include "feeds/readers/TSimpleParseriTunes.h"

#include <initializer_list>

#include "feeds/readers/ChannelExtras.h"
#include "feeds/readers/ESimpleRSSException.h"
#include "feeds/readers/TSimpleRSS.h"
#include "feeds/text/TextConvert.h"

namespace saver {
namespace {

// The value of a node, which must not be empty.
std::string StrictText(XmlNode node) {
    std::string text = node ? node.Text() : std::string();
    if (text.empty()) {
        throw EConvertError("Could not convert variant of type (Null) into type (String)");
    }
    return text;
}

// The value of an attribute, which must be present and not empty.
std::string StrictAttribute(XmlNode element, std::string_view name) {
    std::optional<std::string> value = element.AttributeValue(name);
    if (!value) {
        throw EConvertError("Could not convert variant of type (Null) into type (String)");
    }
    return std::move(*value);
}

int32_t StrictInteger(const std::string& text) {
    return VariantToInteger(text);
}

[[noreturn]] void MissingField(std::string_view parent, std::string_view field) {
    throw ESimpleRSSException("Required Field Missing. Field: " + std::string(parent) + " -> " +
                              std::string(field));
}

void RequireChildren(XmlNode element, std::string_view parent,
                     std::initializer_list<std::string_view> fields) {
    for (std::string_view field : fields) {
        if (!element.Find(field)) {
            MissingField(parent, field);
        }
    }
}

void RequireAttributes(XmlNode element, std::string_view parent,
                       std::initializer_list<std::string_view> fields) {
    for (std::string_view field : fields) {
        if (!element.Attribute(field)) {
            MissingField(parent, field);
        }
    }
}

// Calls assign(strict text) when the child named `name` is found.
void WithChild(XmlNode parent, std::string_view name, auto&& assign) {
    if (XmlNode child = parent.Find(name)) {
        assign(StrictText(child));
    }
}

void ReadStrictCategory(TiTunesCategory& category, XmlNode element) {
    // The usual form names the category in its "text" attribute, a subcategory in a
    // nested element of the same form.
    if (std::optional<std::string> text = element.AttributeValue("text")) {
        category.Category = std::move(*text);
        const XmlNode sub = element.Find("itunes:category");
        category.SubCategory = sub ? sub.AttributeValue("text").value_or("") : "";
        return;
    }
    category.Category = StrictText(element);
    const XmlNode first = element.FirstChild();
    if (first && !first.NextSibling()) {
        category.SubCategory = StrictText(first);
    }
}

void ReadSharedExtra(TiTunesExtra& extra, std::string_view name, XmlNode element) {
    if (name == "itunes:block") {
        extra.Block = true;
    } else if (name == "itunes:category") {
        ReadStrictCategory(extra.Category, element);
    } else if (name == "itunes:explicit") {
        extra.Explict = StrictText(element) == "yes";
    } else if (name == "itunes:keywords") {
        extra.AddKeywords(StrictText(element));
    } else if (name == "itunes:subtitle") {
        extra.Subtitle = StrictText(element);
    } else if (name == "itunes:summary") {
        extra.SetSummary(StrictText(element));
    }
}

void ReadStrictCloud(TRSSCloud& cloud, XmlNode element) {
    cloud.Include = element.AttributeCount() > 0;
    if (!cloud.Include) {
        return;
    }
    cloud.Domain = StrictAttribute(element, "domain");
    cloud.SetPort(StrictInteger(StrictAttribute(element, "port")));
    cloud.Path = StrictAttribute(element, "path");
    cloud.RegisterProcedure = StrictAttribute(element, "registerProcedure");
    cloud.Protocol = StrictAttribute(element, "protocol");
}

void ReadStrictImage(TRSSImage& image, XmlNode element) {
    RequireChildren(element, "image", {"url", "title", "link"});
    image.Include = element.HasChildNodes();
    if (!image.Include) {
        return;
    }
    image.Required.URL = StrictText(element.Find("url"));
    image.Required.Title = StrictText(element.Find("title"));
    image.Required.Link = StrictText(element.Find("link"));
    WithChild(element, "description", [&](std::string text) { image.Optional.Description = text; });
    WithChild(element, "width",
              [&](const std::string& text) { image.Optional.SetWidth(StrictInteger(text)); });
    WithChild(element, "height",
              [&](const std::string& text) { image.Optional.SetHeight(StrictInteger(text)); });
}

void ReadStrictTextInput(TRSSTextInput& input, XmlNode element) {
    RequireChildren(element, "textInput", {"title", "description", "name", "link"});
    input.Include = element.HasChildNodes();
    if (!input.Include) {
        return;
    }
    input.Title = StrictText(element.Find("title"));
    input.Description = StrictText(element.Find("description"));
    input.Link = StrictText(element.Find("link"));
    input.TextInputName = StrictText(element.Find("name"));
}

void ReadStrictOwner(TiTunesOwner& owner, XmlNode element) {
    owner.Name = StrictText(element.GetByName("itunes:name"));
    owner.EmailAddress = StrictText(element.GetByName("itunes:email"));
}

void AddStrictChannelCategory(TRSSChannelCategories& categories, XmlNode element) {
    TRSSChannelCategory& category = categories.Add();
    category.Category = StrictText(element);
    if (element.Attribute("domain")) {
        category.Domain = StrictAttribute(element, "domain");
    }
}

void AddStrictItemCategory(TRSSItemCategories& categories, XmlNode element) {
    TRSSItemCategory& category = categories.Add();
    // An "itunes:category" of the usual form names itself in its "text" attribute.
    std::optional<std::string> text = element.AttributeValue("text");
    category.Title = text ? std::move(*text) : StrictText(element);
    if (element.Attribute("domain")) {
        category.Domain = StrictAttribute(element, "domain");
    }
}

// The strict text of the element's first child node when it has one, else its own.
std::string ContentText(XmlNode element) {
    const XmlNode first = element.FirstChild();
    return StrictText(first ? first : element);
}

void ReadStrictEnclosure(TRSSItemEnclosure& enclosure, XmlNode element) {
    RequireAttributes(element, "enclosure", {"url", "length", "type"});
    enclosure.URL = StrictAttribute(element, "url");
    enclosure.Length = StrictInteger(StrictAttribute(element, "length"));
    enclosure.EnclosureType = StrictAttribute(element, "type");
    enclosure.Include = true;
}

void ReadStrictGUID(TRSSItemGUID& guid, XmlNode element) {
    guid.Include = true;
    guid.GUID = StrictText(element);
    const std::optional<std::string> perma_link = element.Attribute("isPermaLink");
    guid.IsPermaLink = perma_link ? *perma_link == "true" : true;
}

void ReadStrictSource(TRSSItemSource& source, XmlNode element) {
    RequireAttributes(element, "source", {"url"});
    source.Include = true;
    source.Title = StrictText(element);
    source.URL = StrictAttribute(element, "url");
}

void ReadStrictItem(TRSSItem& item, XmlNode element) {
    if (!element.Find("title") && !element.Find("description")) {
        MissingField("item", "title");
    }
    WithChild(element, "title", [&](std::string text) { item.Title = std::move(text); });
    WithChild(element, "link", [&](std::string text) { item.Link = std::move(text); });
    WithChild(element, "itunes:author",
              [&](std::string text) { item.iTunes.Author = std::move(text); });
    for (std::string_view name : {"itunes:block", "itunes:category", "itunes:explicit",
                                  "itunes:keywords", "itunes:subtitle", "itunes:summary"}) {
        if (XmlNode child = element.Find(name)) {
            ReadSharedExtra(item.iTunes, name, child);
        }
    }
    for (std::string_view name : {"content", "content:encoded", "description"}) {
        if (XmlNode child = element.Find(name)) {
            item.Description = ContentText(child);
        }
    }
    WithChild(element, "author", [&](std::string text) { item.Author.Name = std::move(text); });
    WithChild(element, "comments", [&](std::string text) { item.Comments = std::move(text); });
    WithChild(element, "dc:date",
              [&](const std::string& text) { item.PubDate.ParseISO8601(text); });
    if (XmlNode enclosure = element.Find("enclosure")) {
        ReadStrictEnclosure(item.Enclosure, enclosure);
    }
    if (XmlNode guid = element.Find("guid")) {
        ReadStrictGUID(item.GUID, guid);
    }
    WithChild(element, "pubDate", [&](const std::string& text) { item.PubDate.ParseRFC822(text); });
    if (XmlNode source = element.Find("source")) {
        ReadStrictSource(item.Source, source);
    }
    for (XmlNode child : element.Children()) {
        if (child.IsElement() && child.LocalName() == "category") {
            AddStrictItemCategory(item.Categories, child);
        }
    }
}

// The channel's own texts: copyright, managingEditor, webMaster, generator, docs, rating.
std::string* PlainChannelField(TRSSChannelOpt& channel, std::string_view name) {
    if (name == "copyright") {
        return &channel.Copyright;
    }
    if (name == "managingEditor") {
        return &channel.ManagingEditor;
    }
    if (name == "webMaster") {
        return &channel.WebMaster;
    }
    if (name == "generator") {
        return &channel.Generator;
    }
    if (name == "docs") {
        return &channel.Docs;
    }
    return name == "rating" ? &channel.Rating : nullptr;
}

void ReadStrictLanguage(TRSSChannelOpt& channel, XmlNode element) {
    const std::string code = StrictText(element);
    channel.Language = LanguageFromCode(code);
    channel.XLang = channel.Language == TLanguages::langX ? code : std::string();
}

void ReadChannelOptional(TRSSChannelOpt& channel, std::string_view name, XmlNode element) {
    if (std::string* field = PlainChannelField(channel, name)) {
        *field = StrictText(element);
    } else if (name == "language") {
        ReadStrictLanguage(channel, element);
    } else if (name == "pubDate") {
        channel.PubDate.ParseRFC822(StrictText(element));
    } else if (name == "lastBuildDate") {
        channel.LastBuildDate.ParseRFC822(StrictText(element));
    } else if (name == "cloud") {
        ReadStrictCloud(channel.Cloud, element);
    } else if (name == "ttl") {
        channel.SetTTL(StrictInteger(StrictText(element)));
    } else if (name == "image") {
        ReadStrictImage(channel.Image, element);
    } else if (name == "textInput") {
        ReadStrictTextInput(channel.TextInput, element);
    } else if (name == "skipHours") {
        ReadSkipHours(channel.SkipHours, element, false);
    } else if (name == "skipDays") {
        ReadSkipDays(channel.SkipDays, element, false);
    }
}

void ReadChannelElement(TSimpleRSS& rss, std::string_view name, XmlNode element) {
    TRSSChannel& channel = rss.Channel();
    if (name == "category") {
        AddStrictChannelCategory(channel.Optional.Categories, element);
    } else if (name == "item") {
        ReadStrictItem(rss.Items().Add(), element);
    } else if (name == "title") {
        channel.Required.Title = StrictText(element);
    } else if (name == "link") {
        channel.Required.Link = StrictText(element);
    } else if (name == "description") {
        channel.Required.Desc = StrictText(element);
    } else if (name == "itunes:owner") {
        ReadStrictOwner(channel.iTunes.Owner, element);
    } else if (name == "itunes:image") {
        // The usual form gives the address in "href".
        std::optional<std::string> href = element.AttributeValue("href");
        channel.iTunes.Image = href ? std::move(*href) : StrictText(element);
    } else if (name.starts_with("itunes:")) {
        ReadSharedExtra(channel.iTunes, name, element);
    } else {
        ReadChannelOptional(channel.Optional, name, element);
    }
}

}  // namespace

void TSimpleParseriTunes::Parse() {
    XmlNode channel = rss_.XMLFile().Root().GetByName("channel");
    if (!channel.Find("item") && !channel.Find("category")) {
        return;
    }
    for (XmlNode child : channel.Children()) {
        ReadChannelElement(rss_, child.QualifiedName(), child);
    }
}

}  // namespace saver
