#include <gtest/gtest.h>

#include "FeedLoad.h"

namespace saver {
namespace {

TEST(RDFReaderTest, ReadsChannelImageAndItemsBelowTheRoot) {
    LoadedFeed feed = LoadFixture("rdf/full.xml");
    EXPECT_EQ(feed.error, std::nullopt);
    EXPECT_EQ(feed.rss->XMLType(), TXMLType::xtRDF);
    EXPECT_EQ(feed.rss->HeaderTitle(), "RDF News");

    const TRSSChannel& channel = feed.Channel();
    EXPECT_EQ(channel.Required.Title.Get(), "Root title wins") << "a later root title overrides";
    EXPECT_EQ(channel.Required.Link.Get(), "http://example.org/");
    EXPECT_EQ(channel.Required.Desc.Get(), "News in RSS 1.0");
    EXPECT_EQ(channel.Optional.Language, TLanguages::langX) << "only the root-level language";
    EXPECT_EQ(channel.Optional.XLang, "xx-yy");
    EXPECT_TRUE(channel.Optional.Image.Include);
    EXPECT_EQ(channel.Optional.Image.Required.URL.Get(), "http://example.org/logo.png");
    EXPECT_EQ(channel.Optional.Image.Required.Title.Get(), "Logo");
    EXPECT_FALSE(channel.Optional.TextInput.Include) << "'textinput' is not 'textInput'";
    EXPECT_EQ(channel.Optional.TTL(), 60);

    ASSERT_EQ(feed.Items().Count(), 3) << "the item inside the channel element is not read";
    const TRSSItem& first = feed.Item(0);
    EXPECT_EQ(first.Title, "First");
    EXPECT_EQ(first.Description, "One") << "content:encoded is not read";
    EXPECT_TRUE(first.GUID.Include);
    EXPECT_EQ(first.GUID.GUID, "g1");
    EXPECT_FALSE(first.GUID.IsPermaLink);
    EXPECT_EQ(FormatIsoDateTime(first.PubDate.DateTime), "2009-01-03T07:55:17");
    ASSERT_EQ(first.Categories.Count(), 2);
    EXPECT_EQ(first.Categories.Items(0).Title, "Economy") << "dc:subject first";
    EXPECT_EQ(first.Categories.Items(1).Title, "Markets");

    const TRSSItem& second = feed.Item(1);
    EXPECT_EQ(second.Title, "");
    EXPECT_EQ(second.Link, "http://example.org/2") << "no required fields in RSS 1.0";
    EXPECT_FALSE(second.GUID.Include) << "an empty guid keeps the generated one";
    EXPECT_EQ(second.GUID.GUID.front(), '{');

    const TRSSItem& third = feed.Item(2);
    EXPECT_EQ(third.Title, "Third");
    EXPECT_FALSE(third.GUID.Include) << "the bad enclosure length skips the rest of the item";
    EXPECT_EQ(third.Categories.Count(), 0);
}

TEST(RDFReaderTest, DatesOfItemsWithoutNamespace) {
    LoadedFeed feed = LoadText(
        "<rdf:RDF xmlns:rdf='http://www.w3.org/1999/02/22-rdf-syntax-ns#' "
        "xmlns:dc='http://purl.org/dc/elements/1.1/'>"
        "<item><dc:date>2008-06-01T10:00:00Z</dc:date></item>"
        "<item><dc:date>2008-06-01T10:00:00Z</dc:date><pubDate>03 Jan 2009</pubDate></item>"
        "</rdf:RDF>");
    ASSERT_EQ(feed.Items().Count(), 2);
    EXPECT_EQ(FormatIsoDateTime(feed.Item(0).PubDate.DateTime), "2008-06-01T10:00:00");
    EXPECT_EQ(feed.Item(0).PubDate.TimeZone, "Z");
    EXPECT_EQ(FormatIsoDateTime(feed.Item(1).PubDate.DateTime), "2009-01-03T00:00:00");
}

TEST(RDFReaderTest, DatesOfItemsInTheUsualDefaultNamespace) {
    LoadedFeed feed = LoadText(
        "<rdf:RDF xmlns:rdf='http://www.w3.org/1999/02/22-rdf-syntax-ns#' "
        "xmlns='http://purl.org/rss/1.0/' xmlns:dc='http://purl.org/dc/elements/1.1/'>"
        "<item><title>t</title><dc:date>2008-06-01T10:00:00Z</dc:date></item>"
        "</rdf:RDF>");
    ASSERT_EQ(feed.Items().Count(), 1);
    EXPECT_EQ(feed.Item(0).Title, "t");
    EXPECT_EQ(FormatIsoDateTime(feed.Item(0).PubDate.DateTime), "2008-06-01T10:00:00");
}

TEST(RDFReaderTest, MixedContentTitleEndsTheParse) {
    LoadedFeed feed = LoadText(
        "<rdf:RDF xmlns:rdf='http://www.w3.org/1999/02/22-rdf-syntax-ns#'>"
        "<item><title>a</title></item><item><title>b<i>c</i></title></item><item/></rdf:RDF>");
    EXPECT_EQ(feed.error, "Element does not contain a single text node");
    EXPECT_EQ(feed.Items().Count(), 2);
}

}  // namespace
}  // namespace saver
