#include <gtest/gtest.h>

#include "FeedLoad.h"

namespace saver {
namespace {

TEST(RSSReaderTest, ReadsAFullFeed) {
    LoadedFeed feed = LoadFixture("rss/full.xml");
    // The third item's enclosure length is not a number: that ends the parse.
    EXPECT_EQ(feed.error, "Could not convert variant of type (String) into type (Integer)");
    EXPECT_EQ(feed.rss->XMLType(), TXMLType::xtRSS);
    EXPECT_EQ(feed.rss->Version(), "0.92");
    EXPECT_EQ(feed.rss->HeaderTitle(), "Example News");
    EXPECT_EQ(feed.rss->HeaderDescription(), "All the news");

    const TRSSChannel& channel = feed.Channel();
    EXPECT_EQ(channel.Required.Title.Get(), "Example News");
    EXPECT_EQ(channel.Required.Link.Get(), "http://example.com/") << "atom:link is not 'link'";
    EXPECT_EQ(channel.Required.Desc.Get(), "All the news");
    const TRSSChannelOpt& opt = channel.Optional;
    EXPECT_EQ(opt.Language, TLanguages::langDE_AT);
    EXPECT_EQ(opt.XLang, "");
    EXPECT_EQ(opt.Copyright, "(c) Example");
    EXPECT_EQ(opt.ManagingEditor, "editor@example.com");
    EXPECT_EQ(opt.WebMaster, "web@example.com");
    EXPECT_EQ(FormatIsoDateTime(opt.PubDate.DateTime), "2009-01-03T07:55:17");
    EXPECT_EQ(FormatIsoDateTime(opt.LastBuildDate.DateTime), "2009-01-04T08:00:00");
    ASSERT_EQ(opt.Categories.Count(), 1);
    EXPECT_EQ(opt.Categories.Items(0).Category, "Politics");
    EXPECT_EQ(opt.Categories.Items(0).Domain, "http://example.com/cats");
    EXPECT_EQ(opt.Generator, "Hand");
    EXPECT_EQ(opt.Docs, "http://example.com/docs");
    EXPECT_TRUE(opt.Cloud.Include);
    EXPECT_EQ(opt.Cloud.Domain, "rpc.example.com");
    EXPECT_EQ(opt.Cloud.Port(), 1);
    EXPECT_EQ(opt.Cloud.Path, "/RPC2");
    EXPECT_EQ(opt.Cloud.RegisterProcedure, "notify");
    EXPECT_EQ(opt.Cloud.Protocol, "xml-rpc");
    EXPECT_EQ(opt.TTL(), 60) << "'abc' is swallowed";
    EXPECT_TRUE(opt.Image.Include);
    EXPECT_EQ(opt.Image.Required.URL.Get(), "http://example.com/logo.png");
    EXPECT_EQ(opt.Image.Required.Title.Get(), "Logo");
    EXPECT_EQ(opt.Image.Optional.Description, "The logo");
    EXPECT_EQ(opt.Image.Optional.Width(), 144);
    EXPECT_EQ(opt.Image.Optional.Height(), 31);
    EXPECT_EQ(opt.Rating, "PG");
    EXPECT_TRUE(opt.TextInput.Include);
    EXPECT_EQ(opt.TextInput.TextInputName, "q");
    EXPECT_EQ(opt.TextInput.Link, "http://example.com/search");
    for (int hour = 0; hour < 24; ++hour) {
        EXPECT_EQ(opt.SkipHours.Hour(hour), hour == 7 || hour == 23) << hour;
    }
    for (int day = 0; day < 7; ++day) {
        EXPECT_EQ(opt.SkipDays.Day(day), day == 5) << day;  // "sunday" is not "Sunday"
    }

    ASSERT_EQ(feed.Items().Count(), 3);
    const TRSSItem& first = feed.Item(0);
    EXPECT_EQ(first.Title, "From media") << "media:title comes first and matches 'title'";
    EXPECT_EQ(first.Link, "http://example.com/1");
    EXPECT_EQ(first.Description, "<b>Markets</b> rally & more") << "description wins";
    EXPECT_EQ(first.Author.Name, "reporter@example.com");
    EXPECT_EQ(first.Comments, "http://example.com/1#comments");
    EXPECT_TRUE(first.Enclosure.Include);
    EXPECT_EQ(first.Enclosure.URL, "http://example.com/1.mp3");
    EXPECT_EQ(first.Enclosure.Length, 12345);
    EXPECT_EQ(first.Enclosure.EnclosureType, "audio/mpeg");
    EXPECT_TRUE(first.GUID.Include);
    EXPECT_EQ(first.GUID.GUID, "http://example.com/1");
    EXPECT_FALSE(first.GUID.IsPermaLink) << "'True' is not 'true'";
    EXPECT_EQ(FormatIsoDateTime(first.PubDate.DateTime), "2009-01-03T07:55:17") << "pubDate wins";
    EXPECT_TRUE(first.Source.Include);
    EXPECT_EQ(first.Source.Title, "Other");
    EXPECT_EQ(first.Source.URL, "http://other.example.com/rss");
    ASSERT_EQ(first.Categories.Count(), 2);
    EXPECT_EQ(first.Categories.Items(0).Title, "Economy");
    EXPECT_EQ(first.Categories.Items(0).Domain, "d");
    EXPECT_EQ(first.Categories.Items(1).Title, "Video") << "media:category is a category";
    EXPECT_EQ(first.ContentType, TContentType::ctText);

    const TRSSItem& second = feed.Item(1);
    EXPECT_EQ(second.Title, "");
    EXPECT_EQ(second.Description, "Text ") << "only the first text piece";
    EXPECT_TRUE(second.GUID.Include);
    EXPECT_FALSE(second.GUID.IsPermaLink);
    EXPECT_EQ(FormatIsoDateTime(second.PubDate.DateTime), "2008-06-01T10:00:00");
    EXPECT_EQ(second.PubDate.TimeZone, "+02:00");
    ASSERT_EQ(second.Categories.Count(), 1);
    EXPECT_EQ(second.Categories.Items(0).Title, "") << "data in other attributes is not read";

    const TRSSItem& third = feed.Item(2);
    EXPECT_EQ(third.Title, "Third");
    EXPECT_EQ(third.Enclosure.URL, "http://example.com/3.mp3");
    EXPECT_FALSE(third.Enclosure.Include);
    EXPECT_FALSE(third.GUID.Include) << "the guid comes after the enclosure";
}

TEST(RSSReaderTest, RootDecidesTheFormat) {
    const struct {
        const char* xml;
        TXMLType type;
        const char* error;
    } cases[] = {
        {"<RSS><channel/></RSS>", TXMLType::xtRSS, nullptr},
        {"<Rss><channel/></Rss>", TXMLType::xtRSS, nullptr},
        {"<rdf:RDF xmlns:rdf='http://www.w3.org/1999/02/22-rdf-syntax-ns#'/>", TXMLType::xtRDF,
         nullptr},
        {"<feed/>", TXMLType::xtAtom, nullptr},
        {"<FEED/>", TXMLType::xtAtom, nullptr},
        {"<rss xmlns:itunes='http://www.itunes.com/dtds/podcast-1.0.dtd'/>", TXMLType::xtiTunes,
         nullptr},
        // An empty declaration is not given: plain RSS.
        {"<rss xmlns:itunes=''/>", TXMLType::xtRSS, nullptr},
        {"<html><body/></html>", TXMLType::xtRDF, "unkown format: html"},
        {"<Channel/>", TXMLType::xtRDF, "unkown format: Channel"},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.xml);
        LoadedFeed feed;
        LoadInto(feed, "<rdf:RDF xmlns:rdf='http://www.w3.org/1999/02/22-rdf-syntax-ns#'/>");
        LoadInto(feed, row.xml);
        EXPECT_EQ(feed.rss->XMLType(), row.type) << "an unknown root keeps the previous type";
        EXPECT_EQ(feed.error, row.error ? std::optional<std::string>(row.error) : std::nullopt);
    }
}

TEST(RSSReaderTest, ChannelWithoutItemOrCategoryKeepsDefaults) {
    LoadedFeed feed = LoadText("<rss><channel><title>Only</title><ttl>5</ttl></channel></rss>");
    EXPECT_EQ(feed.error, std::nullopt);
    EXPECT_EQ(feed.Channel().Required.Title.Get(), "");
    EXPECT_EQ(feed.Channel().Optional.TTL(), 60);
    EXPECT_EQ(feed.rss->HeaderTitle(), "Only") << "the header text is read all the same";
}

TEST(RSSReaderTest, ItemNeedsTitleOrDescription) {
    LoadedFeed feed = LoadText(
        "<rss><channel><item><description>d</description></item>"
        "<item><link>http://only-link</link></item><item><title>later</title></item>"
        "</channel></rss>");
    EXPECT_EQ(feed.error, "Required Field Missing. Field: item -> title");
    ASSERT_EQ(feed.Items().Count(), 2);
    EXPECT_EQ(feed.Item(0).Description, "d");
    EXPECT_EQ(feed.Item(1).Link, "") << "the failing item stays with its defaults";
}

TEST(RSSReaderTest, MixedContentInAnUnprotectedFieldEndsTheParse) {
    LoadedFeed feed = LoadText(
        "<rss><channel><item><title>one</title></item>"
        "<item><title>two <b>bold</b></title></item><item><title>three</title></item>"
        "</channel></rss>");
    EXPECT_EQ(feed.error, "Element does not contain a single text node");
    EXPECT_EQ(feed.Items().Count(), 2);
}

TEST(RSSReaderTest, MalformedDocumentKeepsThePreviousModel) {
    LoadedFeed feed;
    LoadInto(feed,
             "<rss "
             "version='0.91'><channel><title>First</title><item><title>a</title></item></channel></"
             "rss>");
    ASSERT_EQ(feed.error, std::nullopt);
    LoadInto(feed, "<rss><channel><title>Broken</channel></rss>");
    ASSERT_TRUE(feed.error);
    EXPECT_NE(feed.error->find("XML parse error"), std::string::npos) << *feed.error;
    EXPECT_EQ(feed.Channel().Required.Title.Get(), "First");
    EXPECT_EQ(feed.Items().Count(), 1);
    // A later document without a version attribute keeps the version; the model is fresh.
    LoadInto(feed, "<rss><channel><category>c</category></channel></rss>");
    EXPECT_EQ(feed.rss->Version(), "0.91");
    EXPECT_EQ(feed.Items().Count(), 0);
    EXPECT_EQ(feed.rss->HeaderTitle(), "") << "the header text is read from each document";
}

TEST(RSSReaderTest, OnParseXMLIsRaisedAfterACompleteParse) {
    LoadedFeed feed;
    int raised = 0;
    feed.rss->OnParseXML = [&] { ++raised; };
    LoadInto(feed, "<rss><channel><item><title>a</title></item></channel></rss>");
    LoadInto(feed, "<rss><channel><item><link>a</link></item></channel></rss>");
    EXPECT_EQ(raised, 1);
}

}  // namespace
}  // namespace saver
