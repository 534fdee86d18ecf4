#include "FeedJson.h"

#include <cstdio>

#include "base/JsonWriter.h"
#include "feeds/readers/TSimpleRSS.h"

namespace saver {
namespace {

void WriteText(JsonWriter& json, std::string_view key, std::string_view text) {
    json.Key(key).String(text);
}

void WriteDate(JsonWriter& json, std::string_view key, const TRFC822DateTime& date) {
    json.Key(key).BeginObject();
    WriteText(json, "DateTime", FormatIsoDateTime(date.DateTime));
    WriteText(json, "TimeZone", date.TimeZone);
    json.EndObject();
}

void WriteKeywords(JsonWriter& json, const TiTunesKeywords& keywords) {
    json.Key("KeyWords").BeginArray();
    for (const TiTunesKeyword& keyword : keywords) {
        json.String(keyword.Value);
    }
    json.EndArray();
}

void WriteiTunesCategory(JsonWriter& json, const TiTunesCategory& category) {
    json.Key("Category").BeginObject();
    WriteText(json, "Category", category.Category);
    WriteText(json, "SubCategory", category.SubCategory);
    json.EndObject();
}

void WriteImage(JsonWriter& json, const TRSSImage& image) {
    json.Key("Image").BeginObject().Key("Include").Bool(image.Include);
    json.Key("Required").BeginObject();
    WriteText(json, "URL", image.Required.URL.Get());
    WriteText(json, "Title", image.Required.Title.Get());
    WriteText(json, "Link", image.Required.Link.Get());
    json.EndObject().Key("Optional").BeginObject();
    json.Key("Width").Int(image.Optional.Width()).Key("Height").Int(image.Optional.Height());
    WriteText(json, "Description", image.Optional.Description);
    json.EndObject().EndObject();
}

void WriteCloud(JsonWriter& json, const TRSSCloud& cloud) {
    json.Key("Cloud").BeginObject();
    WriteText(json, "Domain", cloud.Domain);
    json.Key("Port").Int(cloud.Port());
    WriteText(json, "Path", cloud.Path);
    WriteText(json, "RegisterProcedure", cloud.RegisterProcedure);
    WriteText(json, "Protocol", cloud.Protocol);
    json.Key("Include").Bool(cloud.Include).EndObject();
}

void WriteTextInput(JsonWriter& json, const TRSSTextInput& input) {
    json.Key("TextInput").BeginObject();
    WriteText(json, "Title", input.Title);
    WriteText(json, "Description", input.Description);
    WriteText(json, "TextInputName", input.TextInputName);
    WriteText(json, "Link", input.Link);
    json.Key("Include").Bool(input.Include).EndObject();
}

void WriteSkips(JsonWriter& json, const TRSSChannelOpt& channel) {
    json.Key("SkipHours").BeginObject();
    for (int hour = 0; hour < 24; ++hour) {
        char key[4];
        std::snprintf(key, sizeof key, "h%02d", hour);
        json.Key(key).Bool(channel.SkipHours.Hour(hour));
    }
    json.EndObject().Key("SkipDays").BeginObject();
    for (int day = 0; day < 7; ++day) {
        json.Key(TRSSChannelSkipDays::kDayNames[static_cast<size_t>(day)])
            .Bool(channel.SkipDays.Day(day));
    }
    json.EndObject();
}

void WriteChannelOptional(JsonWriter& json, const TRSSChannelOpt& channel) {
    json.Key("Optional").BeginObject();
    WriteText(json, "Language", LanguageName(channel.Language));
    WriteText(json, "XLang", channel.XLang);
    WriteText(json, "Copyright", channel.Copyright);
    WriteText(json, "ManagingEditor", channel.ManagingEditor);
    WriteText(json, "WebMaster", channel.WebMaster);
    WriteDate(json, "PubDate", channel.PubDate);
    WriteDate(json, "LastBuildDate", channel.LastBuildDate);
    json.Key("Categories").BeginArray();
    for (const TRSSChannelCategory& category : channel.Categories) {
        json.BeginObject();
        WriteText(json, "Category", category.Category);
        WriteText(json, "Domain", category.Domain);
        json.EndObject();
    }
    json.EndArray();
    WriteText(json, "Generator", channel.Generator);
    WriteText(json, "Docs", channel.Docs);
    WriteCloud(json, channel.Cloud);
    json.Key("TTL").Int(channel.TTL());
    WriteImage(json, channel.Image);
    WriteText(json, "Rating", channel.Rating);
    WriteTextInput(json, channel.TextInput);
    WriteSkips(json, channel);
    json.EndObject();
}

void WriteChanneliTunes(JsonWriter& json, const TiTunesChannelExtra& extra) {
    json.Key("iTunes").BeginObject().Key("Block").Bool(extra.Block);
    WriteiTunesCategory(json, extra.Category);
    json.Key("Explict").Bool(extra.Explict);
    WriteKeywords(json, extra.KeyWords);
    json.Key("Owner").BeginObject();
    WriteText(json, "Name", extra.Owner.Name);
    WriteText(json, "EmailAddress", extra.Owner.EmailAddress);
    json.EndObject();
    WriteText(json, "Subtitle", extra.Subtitle);
    WriteText(json, "Summary", extra.Summary());
    WriteText(json, "Author", extra.Author);
    WriteText(json, "Image", extra.Image);
    json.EndObject();
}

void WriteChannel(JsonWriter& json, TRSSChannel& channel) {
    json.Key("Channel").BeginObject().Key("Required").BeginObject();
    WriteText(json, "Title", channel.Required.Title.Get());
    WriteText(json, "Link", channel.Required.Link.Get());
    WriteText(json, "Desc", channel.Required.Desc.Get());
    json.EndObject();
    WriteChannelOptional(json, channel.Optional);
    WriteChanneliTunes(json, channel.iTunes);
    WriteText(json, "AboutURL", channel.AboutURL);
    json.EndObject();
}

void WriteItemiTunes(JsonWriter& json, const TiTunesItemExtra& extra) {
    json.Key("iTunes").BeginObject();
    WriteText(json, "Author", extra.Author);
    json.Key("Duration").BeginObject();
    json.Key("Hour").Int(extra.Duration.Hour).Key("Minute").Int(extra.Duration.Minute);
    json.Key("Second").Int(extra.Duration.Second);
    WriteText(json, "Duration", extra.Duration.Duration());
    json.EndObject().Key("Block").Bool(extra.Block);
    WriteiTunesCategory(json, extra.Category);
    json.Key("Explict").Bool(extra.Explict);
    WriteKeywords(json, extra.KeyWords);
    WriteText(json, "Subtitle", extra.Subtitle);
    WriteText(json, "Summary", extra.Summary());
    json.EndObject();
}

std::string_view ContentTypeName(TContentType type) {
    switch (type) {
        case TContentType::ctHTML:
            return "ctHTML";
        case TContentType::ctXHTML:
            return "ctXHTML";
        case TContentType::ctText:
            break;
    }
    return "ctText";
}

void WriteItemParts(JsonWriter& json, const TRSSItem& item) {
    json.Key("Author").BeginObject();
    WriteText(json, "Name", item.Author.Name);
    WriteText(json, "EMail", item.Author.EMail);
    WriteText(json, "URL", item.Author.URL);
    json.EndObject().Key("Categories").BeginArray();
    for (const TRSSItemCategory& category : item.Categories) {
        json.BeginObject();
        WriteText(json, "Title", category.Title);
        WriteText(json, "Domain", category.Domain);
        json.EndObject();
    }
    json.EndArray();
    WriteText(json, "Comments", item.Comments);
    json.Key("Enclosure").BeginObject();
    WriteText(json, "URL", item.Enclosure.URL);
    json.Key("Length").Int(item.Enclosure.Length);
    WriteText(json, "EnclosureType", item.Enclosure.EnclosureType);
    json.Key("Include").Bool(item.Enclosure.Include).EndObject();
    json.Key("GUID").BeginObject();
    WriteText(json, "GUID", item.GUID.GUID);
    json.Key("IsPermaLink").Bool(item.GUID.IsPermaLink);
    json.Key("Include").Bool(item.GUID.Include).EndObject();
}

void WriteItem(JsonWriter& json, const TRSSItem& item) {
    json.BeginObject();
    WriteText(json, "Title", item.Title);
    WriteText(json, "Link", item.Link);
    WriteText(json, "Description", item.Description);
    WriteItemParts(json, item);
    WriteDate(json, "PubDate", item.PubDate);
    json.Key("Source").BeginObject();
    WriteText(json, "Title", item.Source.Title);
    WriteText(json, "URL", item.Source.URL);
    json.Key("Include").Bool(item.Source.Include).EndObject();
    WriteText(json, "ContentType", ContentTypeName(item.ContentType));
    WriteItemiTunes(json, item.iTunes);
    json.EndObject();
}

}  // namespace

std::string FeedJson(TSimpleRSS& rss, const std::optional<std::string>& error) {
    JsonWriter json;
    json.BeginObject();
    WriteText(json, "XMLType", XMLTypeName(rss.XMLType()));
    // The channel's language again at the top, where a reader of the dump looks first.
    WriteText(json, "Language", LanguageName(rss.Channel().Optional.Language));
    WriteText(json, "Version", rss.Version());
    WriteText(json, "HeaderTitle", rss.HeaderTitle());
    WriteText(json, "HeaderDescription", rss.HeaderDescription());
    json.Key("Error");
    if (error) {
        json.String(*error);
    } else {
        json.Null();
    }
    WriteChannel(json, rss.Channel());
    json.Key("Items").BeginArray();
    for (const TRSSItem& item : rss.Items()) {
        WriteItem(json, item);
    }
    json.EndArray().EndObject();
    return json.Text();
}

}  // namespace saver
