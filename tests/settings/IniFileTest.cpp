#include "settings/IniFile.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <random>

namespace saver {
namespace {

TEST(IniFileTest, ReadsTheDialect) {
    IniFile file = IniFile::Parse(
        "before=dropped\n"
        "; a comment\n"
        "  [ Set ]  \r\n"
        "  Name =  value with blanks  \n"
        "\n"
        "name=second is ignored\n"
        "a=b=c\n"
        "no equals sign\n"
        "[set]\n"
        "Late=merged into Set\n"
        "[Empty]\n");
    EXPECT_EQ(file.ReadString("SET", "NAME"), "value with blanks");
    EXPECT_EQ(file.ReadString("set", "a"), "b=c");
    EXPECT_EQ(file.ReadString("Set", "Late"), "merged into Set");
    EXPECT_EQ(file.ReadString("Set", "before", "absent"), "absent");
    EXPECT_EQ(file.ReadString("Set", ""), "no equals sign") << "a line without = has an empty key";
    EXPECT_EQ(file.SectionKeys("Set"), (std::vector<std::string>{"Name", "name", "a", "", "Late"}));
    EXPECT_TRUE(file.SectionKeys("Empty").empty());
    EXPECT_TRUE(file.SectionKeys("Missing").empty());

    // Where each part stands, for messages about the file ("\r\n" ends one line).
    const IniFile::Section& set = file.Sections()[0];
    EXPECT_EQ(set.line, 3) << "the first heading of a section counts";
    EXPECT_EQ(set.entries[3].line, 8);
    EXPECT_FALSE(set.entries[3].has_equals);
    EXPECT_TRUE(set.entries[2].has_equals);
    EXPECT_EQ(set.entries[4].line, 10);
    EXPECT_EQ(file.Sections()[1].line, 11);
}

TEST(IniFileTest, ReadsIntegersAndBooleans) {
    struct Case {
        const char* value;
        int32_t expected;
    };
    const Case cases[] = {
        {"42", 42}, {"-7", -7},     {"0x10", 16},  {"0X1f", 31}, {"0xFFFFFFFF", -1},
        {"", 99},   {"twelve", 99}, {"12abc", 99}, {"0x", 99},   {"99999999999", 99},
        {" 5 ", 5}, {"--5", 99},
    };
    for (const Case& c : cases) {
        IniFile file = IniFile::Parse(std::string("[s]\nk=") + c.value + "\n");
        EXPECT_EQ(file.ReadInteger("s", "k", 99), c.expected) << "value \"" << c.value << "\"";
    }
    IniFile file = IniFile::Parse("[s]\nzero=0\nword=yes\nhex=0x10\n");
    EXPECT_FALSE(file.ReadBool("s", "zero", true));
    EXPECT_TRUE(file.ReadBool("s", "word", true)) << "an unreadable value keeps the default";
    EXPECT_FALSE(file.ReadBool("s", "word", false));
    EXPECT_TRUE(file.ReadBool("s", "hex", false));
    EXPECT_TRUE(file.ReadBool("s", "missing", true));
}

TEST(IniFileTest, WritesBackKnownAndUnknownSectionsWithoutComments) {
    IniFile file = IniFile::Parse("top=x\n[Set]\n; note\nA=1\nOther=keep\n[Caption]\nText=hi\n");
    file.WriteBool("Set", "A", false);
    file.WriteInteger("set", "New", 5);
    file.WriteString("Added", "K", "v");
    EXPECT_EQ(file.Text(),
              "[Set]\nA=0\nOther=keep\nNew=5\n\n[Caption]\nText=hi\n\n[Added]\nK=v\n\n");
}

TEST(IniFileTest, SaveReplacesTheFileWhole) {
    test::TempFolder folder;
    std::string path = folder.Write("s.ini", "[Set]\nA=1\n");
    IniFile file = IniFile::Load(path);
    file.WriteString("Set", "A", "2");
    ASSERT_TRUE(file.Save(path));
    EXPECT_EQ(test::ReadFile(path), "[Set]\nA=2\n\n");
    EXPECT_FALSE(file.Save(folder / "missing-folder/s.ini"));
}

// Hostile files: none may crash, and what they hold is read by the same rules.
TEST(IniFileTest, SurvivesGarbageHugeFilesAndLinesWithoutEquals) {
    std::mt19937 random(7);
    std::string garbage(1 << 20, '\0');
    for (char& c : garbage) {
        c = static_cast<char>(random());
    }
    IniFile from_garbage = IniFile::Parse(garbage);
    EXPECT_EQ(from_garbage.ReadInteger("Set", "WebInterval", 10), 10);

    std::string huge = "[Set]\n";
    while (huge.size() < 50u * 1000 * 1000) {
        huge +=
            "KeyWithoutValue_" + std::to_string(huge.size()) + "=" + std::string(200, 'x') + "\n";
    }
    huge += "[Set]\nWebInterval=30\n";
    EXPECT_EQ(IniFile::Parse(huge).ReadInteger("Set", "WebInterval", 10), 30);

    IniFile no_equals = IniFile::Parse("[Web]\nhttp://a\nhttp://b\n");
    EXPECT_EQ(no_equals.SectionKeys("Web"), (std::vector<std::string>{"", ""}));
}

}  // namespace
}  // namespace saver
