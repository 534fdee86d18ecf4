#include <gtest/gtest.h>

#include <clocale>

#include "feeds/model/TDateTime.h"
#include "feeds/text/FeedTimeText.h"
#include "feeds/ticker/ListPage.h"
#include "feeds/ticker/TickerTexts.h"

namespace saver {
namespace {

TEST(TickerTextsTest, ShortTitleCutsToTheListWidth) {
    const std::string hundred(100, 'x');
    struct Row {
        std::string title;
        int width;
        std::string expected;
    };
    const Row rows[] = {
        // The default list area holds 71 - 2 characters.
        {hundred, 423, std::string(66, 'x') + "..."},
        {std::string(69, 'x'), 423, std::string(69, 'x')},
        {std::string(70, 'x'), 423, std::string(66, 'x') + "..."},
        // Characters, not bytes, are counted.
        {"\xC3\xA9" + std::string(69, 'x'), 423, "\xC3\xA9" + std::string(65, 'x') + "..."},
        // Markup goes; a hidden styled list cuts nothing.
        {"<b>bold</b> &amp; plain", 423, "bold & plain"},
        {hundred, -1, hundred},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(ShortTitle(row.title, row.width), row.expected) << row.title;
    }
}

TEST(TickerTextsTest, ListPageReplacesEachMarkerOnceAndEscapes) {
    EXPECT_EQ(HtmlEscape("<a href=\"x\">'&'</a>"),
              "&lt;a href=&quot;x&quot;&gt;&#39;&amp;&#39;&lt;/a&gt;");
    EXPECT_EQ(ListPage("##BlogName## ##BlogName## ##BlogList##", "<T>", "i", {"1. <x>"}, 5),
              "&lt;T&gt; ##BlogName## <tr height=\"24\"><td nowrap>1. &lt;x&gt;</td></tr>");
    EXPECT_EQ(ListPage("no markers", "t", "i", {"a"}, 0), "no markers");
}

TEST(TickerTextsTest, FeedTimeInTheLocalesFormats) {
    std::setlocale(LC_TIME, "C");
    const TDateTime morning = *TryEncodeDateTime(2009, 1, 3, 7, 55, 17);
    EXPECT_EQ(FeedTimeText(morning, 0), "01/03/09 07:55:17");
    EXPECT_EQ(FeedTimeText(morning, 3600), "01/03/09 08:55:17");
    EXPECT_EQ(FeedTimeText(morning, -8 * 3600), "01/02/09 23:55:17");
    EXPECT_EQ(FeedTimeText(*TryEncodeDateTime(2009, 1, 3, 1, 0, 0), -3600), "01/03/09")
        << "no time at midnight";
}

}  // namespace
}  // namespace saver
