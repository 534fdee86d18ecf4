#include "settings/SaverSettingsFile.h"

#include "settings/ContentResolver.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace saver {
namespace {

using namespace std::string_literals;

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
    test::TempFolder folder;
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

// The same settings as Windows tools write them: UTF-8 with and without a byte-order
// mark, UTF-16 either way round, Windows-1252; CR LF or LF. The fixtures were made with
// iconv, not with our own encoder.
struct EncodedFile {
    const char* name;
    TextEncoding encoding;
};
const EncodedFile kEncodedFiles[] = {
    {"utf8.ini", TextEncoding::Utf8},
    {"utf8-bom-crlf.ini", TextEncoding::Utf8WithMark},
    {"utf16le-crlf.ini", TextEncoding::Utf16Le},
    {"utf16be.ini", TextEncoding::Utf16Be},
    {"windows-1252-crlf.ini", TextEncoding::Windows1252},
};

std::string EncodedFixture(const EncodedFile& file) {
    return std::string(SAVER_TEST_DATA) + "/settings/" + file.name;
}

TEST(SaverSettingsFileTest, ReadsEveryEncodingAndWritesItBackAsItCame) {
    for (const EncodedFile& encoded : kEncodedFiles) {
        const std::string path = EncodedFixture(encoded);
        IniFile file = IniFile::Load(path);
        TSaverSetting record;
        ReadSettingKeys(file, record);
        ContentResolver(ContentContext{}, nullptr).BuildContentLists(file, "Web", record.Web);
        EXPECT_EQ(file.Encoding(), encoded.encoding) << encoded.name;
        EXPECT_EQ(record.ScrName, "Caf\xC3\xA9 M\xC3\xBCller") << encoded.name;
        EXPECT_EQ(record.WebInterval, 15) << encoded.name;
        EXPECT_EQ(record.WebSequence, 2) << encoded.name;
        EXPECT_EQ(record.Web, (ContentList{"(URL) http://example.org/page?id**7", ""}))
            << encoded.name;
        EXPECT_EQ(file.ReadString("Web", ""), "a line without equals") << encoded.name;
        EXPECT_EQ(file.Bytes(), test::ReadFile(path))
            << encoded.name << " is not written back byte for byte";
    }
}

TEST(SaverSettingsFileTest, SavingKeepsTheEncodingAndLosesNoCharacter) {
    test::TempFolder folder;
    const std::string path =
        folder.Write("s.ini", test::ReadFile(EncodedFixture(kEncodedFiles[2])));
    IniFile file = IniFile::Load(path);
    TSaverSetting record;
    ReadSettingKeys(file, record);
    record.WebInterval = 45;
    ASSERT_TRUE(SaveSaverSettings(record, file, path));
    const std::string saved = test::ReadFile(path);
    EXPECT_TRUE(saved.starts_with("\xFF\xFE[\0S\0e\0t\0]\0\r\0\n\0"s)) << "mark and CR LF kept";
    EXPECT_EQ(IniFile::Load(path).ReadInteger("Set", "WebInterval", 0), 45);

    // A character that Windows-1252 has not (the dialog may put one in) turns the file
    // into UTF-16 with its mark, which Windows reads too, instead of being lost.
    IniFile ansi = IniFile::Load(EncodedFixture(kEncodedFiles[4]));
    ansi.WriteString("Set", "ScrName", "Caf\xC3\xA9 \xE2\x98\x95");
    DecodedText written = DecodeText(ansi.Bytes());
    EXPECT_EQ(written.encoding, TextEncoding::Utf16Le);
    EXPECT_TRUE(written.text.starts_with("[Set]\r\nScrName=Caf\xC3\xA9 \xE2\x98\x95\r\n"));
}

}  // namespace
}  // namespace saver
