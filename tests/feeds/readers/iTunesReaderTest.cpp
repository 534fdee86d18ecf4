#include <gtest/gtest.h>

#include "FeedLoad.h"

namespace saver {
namespace {

std::vector<std::string> Keywords(const TiTunesKeywords& keywords) {
    std::vector<std::string> values;
    for (const TiTunesKeyword& keyword : keywords) {
        values.push_back(keyword.Value);
    }
    return values;
}

TEST(iTunesReaderTest, ReadsPodcastUntilTheFirstError) {
    LoadedFeed feed = LoadFixture("itunes/podcast.xml");
    EXPECT_EQ(feed.error, "Required Field Missing. Field: enclosure -> type");
    EXPECT_EQ(feed.rss->XMLType(), TXMLType::xtiTunes);

    const TRSSChannel& channel = feed.Channel();
    EXPECT_EQ(channel.Required.Title.Get(), "Pod");
    EXPECT_EQ(channel.Optional.Language, TLanguages::langX);
    EXPECT_EQ(channel.Optional.XLang, "EN");
    const TiTunesChannelExtra& extra = channel.iTunes;
    EXPECT_TRUE(extra.Block) << "'no' still blocks";
    EXPECT_EQ(extra.Category.Category, "Music");
    EXPECT_EQ(extra.Category.SubCategory, "Music");
    EXPECT_FALSE(extra.Explict) << "'Yes' is not 'yes'";
    EXPECT_EQ(Keywords(extra.KeyWords), (std::vector<std::string>{"a", "", "b"}));
    EXPECT_EQ(extra.Owner.Name, "Owner");
    EXPECT_EQ(extra.Owner.EmailAddress, "o@pod.example");
    EXPECT_EQ(extra.Subtitle, "Sub");
    EXPECT_EQ(extra.Summary(), "Summary");
    EXPECT_EQ(extra.Author, "") << "no channel-level author";
    EXPECT_EQ(channel.Optional.TTL(), 30);
    ASSERT_EQ(channel.Optional.Categories.Count(), 1);
    EXPECT_EQ(channel.Optional.Categories.Items(0).Domain, "dom");

    ASSERT_EQ(feed.Items().Count(), 2);
    const TRSSItem& first = feed.Item(0);
    EXPECT_EQ(first.Title, "Episode 1");
    EXPECT_EQ(first.iTunes.Author, "Host");
    EXPECT_TRUE(first.iTunes.Explict);
    EXPECT_EQ(Keywords(first.iTunes.KeyWords), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(first.iTunes.Duration.Duration(), "0:0:00") << "itunes:duration is not read";
    EXPECT_EQ(first.Description, "Show notes");
    EXPECT_TRUE(first.GUID.IsPermaLink) << "no isPermaLink attribute means true here";
    EXPECT_EQ(first.Enclosure.Length, 100);
    ASSERT_EQ(first.Categories.Count(), 1);
    EXPECT_EQ(first.Categories.Items(0).Title, "Talk") << "itunes:category is a category";
    EXPECT_EQ(feed.Item(1).Title, "Episode 2");
}

TEST(iTunesReaderTest, StrictValuesEndTheParse) {
    const struct {
        const char* channel_body;
        const char* error;
        int items;
    } cases[] = {
        // A category with neither text nor a "text" attribute.
        {"<itunes:category/><item><title>t</title></item>",
         "Could not convert variant of type (Null) into type (String)", 0},
        {"<item><title>a</title></item><item><title>b</title><description/></item>",
         "Could not convert variant of type (Null) into type (String)", 2},
        {"<item><link>l</link></item>", "Required Field Missing. Field: item -> title", 1},
        {"<item><title>a</title><source>s</source></item>",
         "Required Field Missing. Field: source -> url", 1},
        {"<image><url>u</url><link>l</link></image><item><title>t</title></item>",
         "Required Field Missing. Field: image -> title", 0},
        {"<textInput><title>t</title></textInput><item><title>t</title></item>",
         "Required Field Missing. Field: textInput -> description", 0},
        {"<itunes:owner><itunes:name>n</itunes:name></itunes:owner><item><title>t</title></item>",
         "Could not convert variant of type (Null) into type (String)", 0},
        {"<ttl>x</ttl><item><title>t</title></item>",
         "Could not convert variant of type (String) into type (Integer)", 0},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.channel_body);
        LoadedFeed feed = LoadText(
            std::string(
                "<rss xmlns:itunes='http://www.itunes.com/dtds/podcast-1.0.dtd'><channel>") +
            row.channel_body + "</channel></rss>");
        EXPECT_EQ(feed.error, row.error);
        EXPECT_EQ(feed.Items().Count(), row.items);
    }
}

TEST(iTunesReaderTest, UsualCategoryAndImageFormsAreReadAndItemsFollow) {
    LoadedFeed feed = LoadFixture("itunes/category_attributes.xml");
    EXPECT_EQ(feed.error, std::nullopt);
    EXPECT_EQ(feed.Channel().Required.Title.Get(), "Usual podcast");
    const TiTunesChannelExtra& extra = feed.Channel().iTunes;
    EXPECT_EQ(extra.Category.Category, "Technology");
    EXPECT_EQ(extra.Category.SubCategory, "Podcasting");
    EXPECT_EQ(extra.Image, "http://example.com/cover.jpg");
    ASSERT_EQ(feed.Items().Count(), 2);
    EXPECT_EQ(feed.Item(0).Title, "First episode");
    EXPECT_EQ(feed.Item(1).iTunes.Category.Category, "News") << "items use the same form";
    ASSERT_EQ(feed.Item(1).Categories.Count(), 1);
    EXPECT_EQ(feed.Item(1).Categories.Items(0).Title, "News");
}

}  // namespace
}  // namespace saver
