// The text helpers every subsystem shares.
#include <gtest/gtest.h>

#include "base/Text.h"

namespace saver {
namespace {

using namespace std::string_view_literals;

struct TrimCase {
    std::string_view text;
    std::string_view blanks;  // empty: Trim's own blanks
    std::string_view trimmed;
};

const TrimCase kTrimCases[] = {
    {" \t\r\n\v\f value \0"sv, "", "value"},
    {"  inner  space  ", "", "inner  space"},
    {" \t ", "", ""},
    {"", "", ""},
    // A registry line keeps a form feed and a NUL: only blanks, tabs and "\r" go.
    {" \tkey=\f\r", " \t\r", "key=\f"},
    {"\0x\0"sv, " \t\r", "\0x\0"sv},
    {"xx", "x", ""},
};

TEST(TextTest, TrimRemovesTheBlanksAtBothEndsOnly) {
    for (const TrimCase& row : kTrimCases) {
        const std::string_view trimmed =
            row.blanks.empty() ? Trim(row.text) : Trim(row.text, row.blanks);
        EXPECT_EQ(trimmed, row.trimmed)
            << "\"" << row.text << "\" without \"" << row.blanks << "\"";
    }
}

TEST(TextTest, StartsWithNoCaseIgnoresAsciiCaseOnly) {
    EXPECT_TRUE(StartsWithNoCase("HTTP://host", "http"));
    EXPECT_TRUE(StartsWithNoCase("dword:0000001f", "DWORD:"));
    EXPECT_TRUE(StartsWithNoCase("any", ""));
    EXPECT_FALSE(StartsWithNoCase("htt", "http")) << "shorter than the prefix";
    EXPECT_FALSE(StartsWithNoCase("ftp://host", "http"));
    EXPECT_FALSE(StartsWithNoCase("\xC9t\xC9", "\xE9t\xE9")) << "Latin-1 letters are not folded";
}

}  // namespace
}  // namespace saver
