#include <gtest/gtest.h>

#include "feeds/text/PlainText.h"

namespace saver {
namespace {

TEST(PlainTextTest, Cases) {
    const struct {
        const char* text;
        const char* expected;
    } cases[] = {
        {"<b>Markets</b> rally", "Markets rally"},
        {"Profit > loss", " loss"},
        {"a < b", "a "},
        {"Tom &amp;amp; Jerry", "Tom &amp; Jerry"},  // one level only
        {"It&#39;s", "It's"},
        {"&quot;Quoted&quot;", "\"Quoted\""},
        {"A&NBSP;B", "AB"},
        {"x &gt; y", "x  y"},
        {"&lt;b&gt;", "&lt;b"},
        {"", ""},
        {"a>b<c>d", "bd"},
        {"x<a>y>z", "z"},
        // Removal repeats until none is left: the inner one closes up the outer one.
        {"&nb&nbsp;sp;x", "x"},
        {"&#233; &lt;", "&#233; &lt;"},
    };
    for (const auto& row : cases) {
        EXPECT_EQ(PlainText(row.text), row.expected) << "'" << row.text << "'";
    }
}

TEST(PlainTextTest, RemoveAllIgnoresAsciiCase) {
    EXPECT_EQ(RemoveAll("&nbsp;", "a&NbSp;b&nbsp;"), "ab");
    EXPECT_EQ(RemoveAll("", "abc"), "abc");
}

}  // namespace
}  // namespace saver
