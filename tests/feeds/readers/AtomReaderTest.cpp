#include <gtest/gtest.h>

#include "FeedLoad.h"

namespace saver {
namespace {

TEST(AtomReaderTest, ReadsFeedHeaderAndEntries) {
    LoadedFeed feed = LoadFixture("atom/full.xml");
    EXPECT_EQ(feed.error, "Element does not contain a single text node") << "the XHTML title";
    EXPECT_EQ(feed.rss->XMLType(), TXMLType::xtAtom);
    EXPECT_EQ(feed.rss->Version(), "0.3");

    const TRSSChannel& channel = feed.Channel();
    EXPECT_EQ(channel.Required.Title.Get(), "Atom News");
    EXPECT_EQ(channel.Required.Link.Get(), "http://example.net/feed") << "the last link with href";
    EXPECT_EQ(channel.Required.Desc.Get(), "Early drafts");
    EXPECT_EQ(channel.Optional.Generator, "Gen");
    EXPECT_EQ(FormatIsoDateTime(channel.Optional.PubDate.DateTime), "2009-01-03T07:55:17");
    EXPECT_EQ(channel.Optional.PubDate.TimeZone, "Z");
    EXPECT_EQ(channel.Optional.Language, TLanguages::langEN_GB);
    EXPECT_EQ(channel.Optional.TTL(), 15);
    EXPECT_EQ(feed.rss->HeaderTitle(), "Atom News") << "the feed's own title";
    EXPECT_EQ(feed.rss->HeaderDescription(), "Early drafts") << "the Atom 0.3 tagline";

    ASSERT_EQ(feed.Items().Count(), 5);
    const TRSSItem& first = feed.Item(0);
    EXPECT_EQ(first.Title, "Base64");
    EXPECT_EQ(first.Link, "http://example.net/1-related") << "the first link, whatever its rel";
    EXPECT_EQ(first.Description, "<b>hi</b>");
    EXPECT_EQ(first.Author.Name, "Ann");
    EXPECT_EQ(first.Author.EMail, "ann@example.net");
    EXPECT_EQ(first.Author.URL, "") << "'uri' is not read";
    EXPECT_TRUE(first.GUID.Include);
    EXPECT_EQ(first.GUID.GUID, "urn:1");
    EXPECT_EQ(FormatIsoDateTime(first.PubDate.DateTime), "2008-06-01T10:00:00");
    ASSERT_EQ(first.Categories.Count(), 1);
    EXPECT_EQ(first.Categories.Items(0).Title, "C1");

    const TRSSItem& second = feed.Item(1);
    EXPECT_EQ(second.Description, "<p>Sum</p>");
    EXPECT_EQ(second.Author.URL, "http://bob");
    EXPECT_FALSE(second.GUID.Include);
    EXPECT_NEAR(second.PubDate.DateTime, NowLocal(), 0.01) << "'updated' is not read";
    EXPECT_FALSE(second.Enclosure.Include);
    EXPECT_EQ(second.Categories.Count(), 0) << "the bad enclosure skips the rest";

    EXPECT_EQ(feed.Item(2).Description, "<i>x</i>") << "other modes are taken unchanged";
    EXPECT_EQ(feed.Item(3).Description, "first ");
    EXPECT_EQ(feed.Item(4).Title, "");
}

TEST(AtomReaderTest, HeadHoldsHeaderAndEntries) {
    LoadedFeed feed = LoadFixture("atom/head.xml");
    EXPECT_EQ(feed.error, std::nullopt);
    EXPECT_EQ(feed.Channel().Required.Title.Get(), "In head");
    EXPECT_EQ(feed.rss->HeaderTitle(), "In head");
    ASSERT_EQ(feed.Items().Count(), 1);
    EXPECT_EQ(feed.Item(0).Title, "Inside");
}

TEST(AtomReaderTest, HeaderTextsOfAnAtom10FeedAndNoneLeftFromTheFeedBefore) {
    LoadedFeed feed;
    LoadInto(feed, "<rss><channel><title>Old</title><description>d</description></channel></rss>");
    LoadInto(feed,
             "<feed xmlns='http://www.w3.org/2005/Atom'><title>Atom 1.0 News</title>"
             "<subtitle>Fresh</subtitle><entry><title>e</title></entry></feed>");
    EXPECT_EQ(feed.rss->HeaderTitle(), "Atom 1.0 News");
    EXPECT_EQ(feed.rss->HeaderDescription(), "Fresh");
    LoadInto(feed, "<feed xmlns='http://www.w3.org/2005/Atom'><entry/></feed>");
    EXPECT_EQ(feed.rss->HeaderTitle(), "");
    EXPECT_EQ(feed.rss->HeaderDescription(), "");
}

TEST(AtomReaderTest, Base64WithLineBreaksRaises) {
    LoadedFeed feed = LoadFixture("atom/base64_lines.xml");
    EXPECT_EQ(feed.error, "Invalid base64 text");
    ASSERT_EQ(feed.Items().Count(), 1);
    EXPECT_EQ(feed.Item(0).Title, "Wrapped");
}

}  // namespace
}  // namespace saver
