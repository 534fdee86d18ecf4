#include <gtest/gtest.h>

#include "aatext/text/TextRows.h"

namespace saver {
namespace {

TEST(WrapLine, BreaksAfterBreakCharactersKeepsQuotesAndExistingBreaks) {
    struct Case {
        const char* name;
        std::string line;
        int max_column;
        std::string expected;
    };
    const std::vector<Case> cases = {
        {"short line stays", "hello", 10, "hello"},
        {"break after the space", "hello world again", 8, "hello \r\nworld \r\nagain"},
        {"hyphen and comma break", "one-two,three", 5, "one-\r\ntwo,\r\nthree"},
        {"no break character: no break", "abcdefghijkl", 4, "abcdefghijkl"},
        // A break is only written while more than one character follows it.
        {"maximum below 2 counts as 2", "a b cd", 0, "a \r\nb \r\ncd"},
        {"no break before the last character", "a b c", 2, "a \r\nb c"},
        {"quoted part is not broken", "say \"a b c d\" end", 5, "say \r\n\"a b c d\" \r\nend"},
        {"existing CR LF is kept", "ab\r\ncd", 40, "ab\r\ncd"},
        // Runs of break characters after a break are skipped for the column count but
        // stay at the start of the next row.
        {"spaces after the break", "aaaa   bbbb", 5, "aaaa \r\n  bbbb"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(WrapLine(c.line, c.max_column), c.expected) << c.name;
    }
}

TEST(WrapLine, WideCharactersBreakBetweenThemselves) {
    // Eight Chinese characters (two columns each) without spaces, maximum column 10:
    // the row is broken before a character once the column reaches 9.
    const std::string line = "\u4e2d\u6587\u6587\u672c\u6ca1\u6709\u7a7a\u683c";
    const std::string wrapped = WrapLine(line, 10);
    EXPECT_EQ(wrapped, "\u4e2d\u6587\u6587\u672c\r\n\u6ca1\u6709\u7a7a\u683c");
    // Characters that are not wide (é) take one column and are never broken inside.
    EXPECT_EQ(WrapLine("caf\u00e9 ol\u00e9 ol\u00e9", 6), "caf\u00e9 \r\nol\u00e9 \r\nol\u00e9");
}

TEST(SplitRows, BreaksAtEveryKindOfLineEnd) {
    struct Case {
        std::string text;
        std::vector<std::string> rows;
    };
    const std::vector<Case> cases = {
        {"one", {"one"}},
        {"a\r\nb", {"a", "b"}},
        {"a\rb\nc", {"a", "b", "c"}},
        {"a\r\n", {"a"}},                    // a break at the very end adds no row
        {"a\n\nb", {"a", "", "b"}},          // an empty row in the middle stays
        {std::string("ab\0cd", 5), {"ab"}},  // NUL ends the text
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SplitRows(c.text), c.rows) << c.text;
    }
}

TEST(FindTag, MatchesAsciiLettersWithoutCase) {
    EXPECT_EQ(FindTag("x<text3>y", "Text3"), 1u);
    EXPECT_EQ(FindTag("<TITLE1>", "title1"), 0u);
    EXPECT_EQ(FindTag("<Title1", "Title1"), std::string::npos);
    EXPECT_EQ(FindTag("<\u00c9t\u00e9>", "\u00e9t\u00e9"), std::string::npos)
        << "only a to z are folded";
}

TEST(PitchedHeight, RoundsTiesToEven) {
    struct Case {
        int pitch;
        int height;
        int expected;
    };
    const std::vector<Case> cases = {
        {20, 10, 12}, {50, 23, 34} /* 34.5 */, {50, 25, 38} /* 37.5 */, {-100, 40, 0},
        {0, 7, 7},    {150, 3, 8} /* 7.5 */,
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PitchedHeight(c.pitch, c.height), c.expected) << c.pitch << " " << c.height;
    }
}

}  // namespace
}  // namespace saver
