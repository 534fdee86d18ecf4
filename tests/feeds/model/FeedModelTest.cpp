#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

#include "feeds/model/TLanguages.h"
#include "feeds/model/TRSSChannel.h"
#include "feeds/model/TRSSItem.h"
#include "feeds/text/TextConvert.h"

namespace saver {
namespace {

TEST(FeedModelTest, RequiredTextsReadBlankAsEmpty) {
    TRSSChannelReq required;
    required.Title = " \t\r\n ";
    EXPECT_EQ(required.Title.Get(), "");
    required.Title = "  News ";
    EXPECT_EQ(required.Title.Get(), "  News ");
}

TEST(FeedModelTest, NumbersAreClamped) {
    TRSSChannelOpt channel;
    EXPECT_EQ(channel.TTL(), 60);
    channel.SetTTL(-1);
    EXPECT_EQ(channel.TTL(), 0);
    TRSSImageOpt& image = channel.Image.Optional;
    image.SetWidth(500);
    EXPECT_EQ(image.Width(), 144);
    image.SetWidth(-3);
    EXPECT_EQ(image.Width(), 0);
    image.SetHeight(401);
    EXPECT_EQ(image.Height(), 400);
    image.SetHeight(400);
    EXPECT_EQ(image.Height(), 400);
    EXPECT_EQ(channel.Cloud.Port(), 0);
    for (int port : {0, 1, -5}) {
        channel.Cloud.SetPort(port);
        EXPECT_EQ(channel.Cloud.Port(), 1) << port;
    }
    channel.Cloud.SetPort(80);
    EXPECT_EQ(channel.Cloud.Port(), 80);
}

TEST(FeedModelTest, ChannelDefaults) {
    const TRSSChannel channel;
    EXPECT_EQ(channel.Optional.Language, TLanguages::langEN);
    EXPECT_EQ(channel.Optional.Generator, "RSS 0.4.1");
    EXPECT_EQ(channel.Optional.Docs, "Doc");
    EXPECT_FALSE(channel.Optional.SkipHours.Hour(0));
    EXPECT_FALSE(channel.Optional.SkipDays.Day(6));
}

TEST(FeedModelTest, NewItemsHaveDistinctRegistryFormGuids) {
    const TRSSItem first;
    const TRSSItem second;
    const std::regex registry_form(
        "\\{[0-9A-F]{8}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{12}\\}");
    EXPECT_TRUE(std::regex_match(first.GUID.GUID, registry_form)) << first.GUID.GUID;
    EXPECT_NE(first.GUID.GUID, second.GUID.GUID);
    EXPECT_FALSE(first.GUID.Include);
    EXPECT_FALSE(first.GUID.IsPermaLink);
}

TEST(FeedModelTest, LanguageFromCode) {
    const struct {
        const char* code;
        TLanguages expected;
    } cases[] = {
        {"en-us", TLanguages::langEN_US}, {"zh-cn", TLanguages::langZH_CN},
        {"haw", TLanguages::langHAW},     {"af", TLanguages::langAF},
        {"uk", TLanguages::langUK},       {"en-US", TLanguages::langX},  // case-sensitive
        {" en", TLanguages::langX},                                      // no trimming
        {"", TLanguages::langX},          {"x", TLanguages::langX},
    };
    for (const auto& row : cases) {
        EXPECT_EQ(LanguageFromCode(row.code), row.expected) << row.code;
    }
    EXPECT_EQ(LanguageName(TLanguages::langEN_US), "langEN_US");
    EXPECT_EQ(LanguageName(TLanguages::langX), "langX");
}

TEST(FeedModelTest, SummaryKeepsFirst4000Characters) {
    TiTunesChannelExtra extra;
    extra.SetSummary(std::string(5000, 'a'));
    EXPECT_EQ(extra.Summary(), std::string(4000, 'a'));
    // Characters, not bytes: a multi-byte character is never cut in half.
    std::string accented;
    for (int i = 0; i < 4001; ++i) {
        accented += "\xC3\xA9";
    }
    extra.SetSummary(accented);
    EXPECT_EQ(extra.Summary().size(), 8000u);
}

TEST(FeedModelTest, AddKeywords) {
    const struct {
        const char* text;
        std::vector<std::string> expected;
    } cases[] = {
        {" a  b ", {"a", "", "b"}},
        {"a b", {"a", "b"}},
        {"single", {"single"}},
        {"   ", {}},
        {"", {}},
    };
    for (const auto& row : cases) {
        TiTunesItemExtra extra;
        extra.AddKeywords(row.text);
        std::vector<std::string> got;
        for (const TiTunesKeyword& keyword : extra.KeyWords) {
            got.push_back(keyword.Value);
        }
        EXPECT_EQ(got, row.expected) << "'" << row.text << "'";
    }
}

TEST(FeedModelTest, iTunesDuration) {
    TiTunesDuration duration;
    duration.SetDuration("1:5:7");
    EXPECT_EQ(duration.Hour, 1);
    EXPECT_EQ(duration.Minute, 5);
    EXPECT_EQ(duration.Second, 7);
    EXPECT_EQ(duration.Duration(), "1:5:07");
    duration.Second = 42;
    EXPECT_EQ(duration.Duration(), "1:5:42");
    EXPECT_THROW(duration.SetDuration("1:x:07"), EConvertError);
    EXPECT_EQ(duration.Minute, 5) << "a failed write changes nothing";
}

TEST(FeedModelTest, VariantToInteger) {
    EXPECT_EQ(VariantToInteger("42"), 42);
    EXPECT_EQ(VariantToInteger(" -7 "), -7);
    EXPECT_EQ(VariantToInteger("$1F"), 31);
    EXPECT_EQ(VariantToInteger("2.5"), 2);
    EXPECT_EQ(VariantToInteger("3.5"), 4);
    for (const char* bad : {"abc", "", "12abc", "99999999999", "1e5"}) {
        EXPECT_THROW(VariantToInteger(bad), EConvertError) << bad;
    }
}

}  // namespace
}  // namespace saver
