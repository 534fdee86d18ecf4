#include "settings/SaverSettingsFile.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace saver {
namespace {

TSaverSetting Read(const std::string& text) {
    TSaverSetting record;
    ReadSettingKeys(IniFile::Parse(text), record);
    return record;
}

TEST(SaverSettingsFileTest, MissingFileGivesEveryDefault) {
    TSaverSetting record = Read("");
    EXPECT_FALSE(record.UseFeed);
    EXPECT_TRUE(record.RandomFeed);
    EXPECT_EQ(record.BlogInterval, 12);
    EXPECT_EQ(record.BlogListBlendValue, 200);
    EXPECT_EQ(record.BlogListWidth, 437);
    EXPECT_EQ(record.BlogBlendValue, 250);
    EXPECT_TRUE(record.MousePress);
    EXPECT_EQ(record.WebInterval, 10);
    EXPECT_TRUE(record.WebSameMonitor);
    EXPECT_TRUE(record.WebOfflineCopies);
    EXPECT_EQ(record.WebSequence, 0);
    EXPECT_EQ(record.ScrName, "Screensaver Setting");
    EXPECT_EQ(record.Build_BannerImage, "orvanebanner.jpg");
    EXPECT_EQ(record.Author, "");
}

TEST(SaverSettingsFileTest, ReadsKeysByTheirRules) {
    struct Case {
        const char* text;
        int web_sequence;
        bool blog_list_show;
    };
    const Case cases[] = {
        {"[set]\nwebsequence=2\n", 2, true},       // names match in any letter case
        {"[Set]\nWebSequence=258\n", 2, true},     // only the low 8 bits are kept
        {"[Set]\nBlogListShow=maybe\n", 0, true},  // not a number: the default
        {"[Set]\nBlogListShow=0\n", 0, false},    {"[Set]\nBlogListShow=0x10\n", 0, true},
        {"[Set]\nWebSequence=-1\n", 255, true},
    };
    for (const Case& c : cases) {
        TSaverSetting record = Read(c.text);
        EXPECT_EQ(record.WebSequence, c.web_sequence) << c.text;
        EXPECT_EQ(record.BlogListShow, c.blog_list_show) << c.text;
    }
    TSaverSetting record = Read("[Set]\nScrName=\nAuthor=Ann\nWebInterval=30\n");
    EXPECT_EQ(record.ScrName, "") << "a present but empty string is empty, not the default";
    EXPECT_EQ(record.Author, "Ann");
    EXPECT_EQ(record.WebInterval, 30);
}

TEST(SaverSettingsFileTest, BuildsTheFeedList) {
    IniFile file = IniFile::Parse(
        "[feeds]\n"
        "News [Sport]=\n"  // bare name "News" has an address: stays, suffix kept
        "News=http://n/rss\n"
        "Empty=\n"                  // no address: dropped
        "Off=http://off/rss\n"      // switched off in usefeed: dropped
        "OffSuffix [x]=http://y\n"  // bare name has no address: dropped
        "Tech=http://t/rss\n"
        "[usefeed]\n"
        "Off=0\n"
        "Tech=1\n");
    EXPECT_EQ(BuildFeedList(file), (std::vector<std::string>{"News [Sport]", "News", "Tech"}));
}

TEST(SaverSettingsFileTest, SavesTheRecordButNotTheAuthorsKeys) {
    testing::TempFolder folder;
    std::string path = folder.Write("s.ini",
                                    "[Set]\nAuthor=Ann\nBuild_BannerURL=http://b\nWebInterval=10\n"
                                    "[Caption]\nText=kept\n");
    IniFile file = IniFile::Load(path);
    TSaverSetting record;
    ReadSettingKeys(file, record);
    record.WebInterval = 45;
    record.Author = "Changed";
    record.Build_BannerURL = "http://changed";
    record.UseFeed = true;
    ASSERT_TRUE(SaveSaverSettings(record, file, path));

    IniFile saved = IniFile::Load(path);
    EXPECT_EQ(saved.ReadString("Set", "WebInterval"), "45");
    EXPECT_EQ(saved.ReadString("Set", "UseFeed"), "1");
    EXPECT_EQ(saved.ReadString("Set", "MousePress"), "1");
    EXPECT_EQ(saved.ReadString("Set", "Author"), "Ann");
    EXPECT_EQ(saved.ReadString("Set", "Build_BannerURL"), "http://b");
    EXPECT_FALSE(saved.HasKey("Set", "Website"));
    EXPECT_EQ(saved.ReadString("Caption", "Text"), "kept");
}

}  // namespace
}  // namespace saver
