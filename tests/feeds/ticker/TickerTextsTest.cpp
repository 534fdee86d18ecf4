#include <gtest/gtest.h>

#include <clocale>
#include <ctime>
#include <string>

#include "feeds/model/TDateTime.h"
#include "feeds/text/FeedTimeText.h"
#include "feeds/ticker/ListPage.h"
#include "feeds/ticker/TickerTexts.h"
#include "support/ScopedEnvironment.h"

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

// The feed's time on the user's clock, in zones given as POSIX rules (no time-zone
// database needed): daylight saving included, the time left out at local midnight.
TEST(TickerTextsTest, FeedTimeOnTheLocalClockInTheLocalesFormats) {
    std::setlocale(LC_TIME, "C");
    const TDateTime morning = *TryEncodeDateTime(2009, 1, 3, 7, 55, 17);
    const TDateTime summer = *TryEncodeDateTime(2009, 7, 6, 12, 0, 0);
    struct Case {
        const char* zone;
        TDateTime value;
        const char* text;
    };
    for (const Case& c :
         {Case{"UTC0", morning, "01/03/09 07:55:17"}, Case{"AAA-1", morning, "01/03/09 08:55:17"},
          Case{"BBB8", morning, "01/02/09 23:55:17"},
          Case{"CET-1CEST,M3.5.0,M10.5.0/3", summer, "07/06/09 14:00:00"},
          Case{"CCC1", *TryEncodeDateTime(2009, 1, 3, 1, 0, 0), "01/03/09"},
          Case{"UTC0", 1e300, ""}}) {
        test::ScopedEnvironment zone("TZ", std::string(c.zone));
        tzset();
        EXPECT_EQ(LocalFeedTimeText(c.value), c.text) << c.zone;
    }
    tzset();
}

}  // namespace
}  // namespace saver
