#include "feeds/readers/ChannelExtras.h"

#include "feeds/readers/ReaderSupport.h"
#include "feeds/text/TextConvert.h"

namespace saver {
namespace {

void AssignChildInteger(XmlNode parent, std::string_view name, auto&& assign) {
    if (XmlNode child = parent.Find(name)) {
        if (const std::optional<std::string> value = child.Value()) {
            assign(VariantToInteger(*value));
        }
    }
}

// The hour 0..23 written exactly, without leading zeros or blanks; -1 otherwise.
int HourOf(std::string_view text) {
    const bool plain = !text.empty() && text.size() <= 2 && (text.size() == 1 || text[0] != '0');
    const std::optional<int32_t> hour = plain ? TryParseInteger(text) : std::nullopt;
    return hour && *hour >= 0 && *hour <= 23 && text[0] != '+' && text[0] != '-' ? *hour : -1;
}

int DayOf(std::string_view text) {
    for (size_t i = 0; i < TRSSChannelSkipDays::kDayNames.size(); ++i) {
        if (text == TRSSChannelSkipDays::kDayNames[i]) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

// Calls mark(value) for the value of every child of the element.
void ForEachChildValue(XmlNode element, bool swallow, auto&& mark) {
    for (XmlNode child : element.Children()) {
        auto read = [&] {
            if (const std::optional<std::string> value = child.Value()) {
                mark(*value);
            }
        };
        if (swallow) {
            Guarded(read);
        } else {
            read();
        }
    }
}

void ReadOptionalDate(TRFC822DateTime& date, XmlNode element) {
    if (const std::optional<std::string> value = element.Value()) {
        date.ParseRFC822(*value);
    }
}

}  // namespace

bool ReadRequiredField(TRSSChannelReq& required, std::string_view name, XmlNode element) {
    if (name == "title") {
        AssignIfGiven(required.Title, element);
    } else if (name == "link") {
        AssignIfGiven(required.Link, element);
    } else if (name == "description") {
        AssignIfGiven(required.Desc, element);
    } else {
        return false;
    }
    return true;
}

void AddChannelCategory(TRSSChannelCategories& categories, XmlNode element) {
    TRSSChannelCategory& category = categories.Add();
    AssignIfGiven(category.Category, element);
    AssignAttributeIfGiven(category.Domain, element, "domain");
}

void ReadLanguage(TRSSChannelOpt& channel, XmlNode element) {
    const std::optional<std::string> value = element.Value();
    if (!value) {
        return;
    }
    channel.Language = LanguageFromCode(*value);
    channel.XLang = channel.Language == TLanguages::langX ? *value : std::string();
}

void ReadCloud(TRSSCloud& cloud, XmlNode element) {
    cloud.Include = element.AttributeCount() > 0;
    if (!cloud.Include) {
        return;
    }
    AssignAttributeIfGiven(cloud.Domain, element, "domain");
    if (const std::optional<std::string> port = element.AttributeValue("port")) {
        cloud.SetPort(VariantToInteger(*port));
    }
    AssignAttributeIfGiven(cloud.Path, element, "path");
    AssignAttributeIfGiven(cloud.RegisterProcedure, element, "registerProcedure");
    AssignAttributeIfGiven(cloud.Protocol, element, "protocol");
}

void ReadTTL(TRSSChannelOpt& channel, XmlNode element) {
    if (const std::optional<std::string> value = element.Value()) {
        channel.SetTTL(VariantToInteger(*value));
    }
}

void ReadImage(TRSSImage& image, XmlNode element) {
    image.Include = element.HasChildNodes();
    if (!image.Include) {
        return;
    }
    AssignChildIfGiven(image.Required.URL, element, "url");
    AssignChildIfGiven(image.Required.Title, element, "title");
    AssignChildIfGiven(image.Required.Link, element, "link");
    AssignChildIfGiven(image.Optional.Description, element, "description");
    AssignChildInteger(element, "width", [&](int32_t width) { image.Optional.SetWidth(width); });
    AssignChildInteger(element, "height",
                       [&](int32_t height) { image.Optional.SetHeight(height); });
}

void ReadTextInput(TRSSTextInput& input, XmlNode element) {
    input.Include = element.HasChildNodes();
    if (!input.Include) {
        return;
    }
    AssignChildIfGiven(input.Title, element, "title");
    AssignChildIfGiven(input.Description, element, "description");
    AssignChildIfGiven(input.Link, element, "link");
    AssignChildIfGiven(input.TextInputName, element, "name");
}

void ReadSkipHours(TRSSChannelSkipHours& hours, XmlNode element, bool swallow) {
    ForEachChildValue(element, swallow, [&](const std::string& value) {
        if (const int hour = HourOf(value); hour >= 0) {
            hours.SetHour(hour, true);
        }
    });
}

void ReadSkipDays(TRSSChannelSkipDays& days, XmlNode element, bool swallow) {
    ForEachChildValue(element, swallow, [&](const std::string& value) {
        if (const int day = DayOf(value); day >= 0) {
            days.SetDay(day, true);
        }
    });
}

void ReadChannelExtra(TRSSChannelOpt& channel, std::string_view name, XmlNode element) {
    if (name == "language") {
        ReadLanguage(channel, element);
    } else if (name == "copyright") {
        AssignIfGiven(channel.Copyright, element);
    } else if (name == "managingEditor") {
        AssignIfGiven(channel.ManagingEditor, element);
    } else if (name == "webMaster") {
        AssignIfGiven(channel.WebMaster, element);
    } else if (name == "pubDate") {
        ReadOptionalDate(channel.PubDate, element);
    } else if (name == "lastBuildDate") {
        ReadOptionalDate(channel.LastBuildDate, element);
    } else if (name == "generator") {
        AssignIfGiven(channel.Generator, element);
    } else if (name == "docs") {
        AssignIfGiven(channel.Docs, element);
    } else if (name == "cloud") {
        ReadCloud(channel.Cloud, element);
    } else if (name == "ttl") {
        ReadTTL(channel, element);
    } else if (name == "image") {
        ReadImage(channel.Image, element);
    } else if (name == "rating") {
        AssignIfGiven(channel.Rating, element);
    } else if (name == "textInput") {
        ReadTextInput(channel.TextInput, element);
    } else if (name == "skipHours") {
        ReadSkipHours(channel.SkipHours, element, true);
    } else if (name == "skipDays") {
        ReadSkipDays(channel.SkipDays, element, true);
    }
}

void ReadChannelChild(TRSSChannel& channel, TRSSItems& items, XmlNode child, ItemReader read_item) {
    const std::string name = child.QualifiedName();
    if (name == "category") {
        AddChannelCategory(channel.Optional.Categories, child);
    } else if (name == "item") {
        read_item(items.Add(), child);
    } else if (!ReadRequiredField(channel.Required, name, child)) {
        Guarded([&] { ReadChannelExtra(channel.Optional, name, child); });
    }
}

}  // namespace saver
