#include "settings/dialog/ReadmeText.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace saver {
namespace {

using test::TempFolder;

TEST(ReadmeTextTest, DecodesWhateverTheEncoding) {
    EXPECT_EQ(ReadmeText("Caf\xC3\xA9\r\n", false), "Caf\xC3\xA9\r\n");
    EXPECT_EQ(ReadmeText("Caf\xE9 \x80", false), "Caf\xC3\xA9 \xE2\x82\xAC");
    EXPECT_EQ(ReadmeText(std::string_view("\xFF\xFEH\0i\0", 6), false), "Hi");
}

TEST(ReadmeTextTest, CutTextEndsWithTheCutLine) {
    struct Case {
        const char* name;
        std::string bytes;
        std::string shown;
    };
    const std::string cut = std::string(kReadmeCutLine);
    const Case cases[] = {
        {"whole characters", "abc", "abc\n\n" + cut},
        {"ends with a line end", "abc\n", "abc\n\n" + cut},
        // A two-byte character cut after its first byte is dropped, and the rest stays
        // UTF-8 instead of being read as Windows-1252.
        {"a UTF-8 character cut in half", "\xC3\xA9\xC3", "\xC3\xA9\n\n" + cut},
        {"a four-byte character cut after three", "a\xF0\x9F\x98", "a\n\n" + cut},
        {"Windows-1252 stays so", "Caf\xE9 \xE9", "Caf\xC3\xA9 \xC3\xA9\n\n" + cut},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ReadmeText(c.bytes, true), c.shown) << c.name;
    }
}

TEST(ReadmeTextTest, ReadsOnlyTheFirstMegabyte) {
    TempFolder folder;
    const std::string small = folder.Write("small.txt", std::string(kReadmeLimit, 'a'));
    EXPECT_EQ(ReadReadme(small), std::string(kReadmeLimit, 'a')) << "exactly the limit is whole";
    const std::string big = folder.Write("big.txt", std::string(3 * kReadmeLimit, 'b'));
    const std::string text = ReadReadme(big);
    EXPECT_EQ(text.substr(0, kReadmeLimit), std::string(kReadmeLimit, 'b'));
    EXPECT_TRUE(text.ends_with(kReadmeCutLine));
    EXPECT_EQ(text.size(), kReadmeLimit + 2 + kReadmeCutLine.size());
    EXPECT_EQ(ReadReadme(folder / "missing.txt"), "");
}

}  // namespace
}  // namespace saver
