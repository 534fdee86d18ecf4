// The item page: the template's markers, the built-in layout and the file's line breaks.
#include <gtest/gtest.h>

#include "feeds/viewer/ItemPage.h"

namespace saver {
namespace {

const ItemTexts kItem{"Caf\xC3\xA9 news", "<b>Open</b> ##time## today", "1/3/09 7:55:17"};

TEST(ItemPageTest, TemplateMarkersAreReplacedOnceEachWithLetterCase) {
    EXPECT_EQ(TemplateItemPage("<h1>##title##</h1><p>##description##</p><i>##time##</i>"
                               "<h2>##title##</h2>##Title## ##TIME##",
                               kItem),
              "<h1>Caf\xC3\xA9 news</h1><p><b>Open</b> ##time## today</p><i>1/3/09 7:55:17</i>"
              "<h2>##title##</h2>##Title## ##TIME##")
        << "a marker inside the description is the feed's text, not the template's";
    EXPECT_EQ(TemplateItemPage("no markers", kItem), "no markers");
    EXPECT_EQ(TemplateItemPage("##time####title##", kItem), "1/3/09 7:55:17Caf\xC3\xA9 news");
}

TEST(ItemPageTest, BuiltInLayout) {
    EXPECT_EQ(
        BuiltInItemPage({"T", "<i>D</i>", "X"}),
        "<html xmlns=\"http://www.w3.org/1999/xhtml\"><head><meta http-equiv=\"Content-Type\" "
        "content=\"text/html; charset=utf-8\" /></head><body bgcolor=\"#1B1B1B\" "
        "topmargin=\"6\" leftmargin=\"6\" rightmargin=\"6\" bottommargin=\"6\"><table "
        "border=\"1\" width=\"100%\" bordercolor=\"#A5A5A5\" cellspacing=\"0\" "
        "cellpadding=\"8\"><tr><td><h3 align=\"center\"><font color=\"#FFFFFF\">T</font></h3>"
        "<font color=\"#FFFFFF\"><i>D</i></font><p align=\"right\"><span style=\"font-weight: "
        "400\"><i><font size=\"1\" color=\"#7C7C7C\">X, Press Enter to read...</font></i></span>"
        "</p></td></tr></table></body></html>");
}

TEST(ItemPageTest, LinesEndInCrLfWithAFinalBreak) {
    const struct {
        const char* text;
        const char* lines;
    } cases[] = {
        {"", ""},
        {"one", "one\r\n"},
        {"a\nb", "a\r\nb\r\n"},
        {"a\r\nb\r\n", "a\r\nb\r\n"},
        {"a\rb\n\nc", "a\r\nb\r\n\r\nc\r\n"},  // a lone CR is a break, an empty line stays
        {"a\n\r", "a\r\n\r\n"},                // LF then CR: two breaks
    };
    for (const auto& c : cases) {
        EXPECT_EQ(WithCrLfLines(c.text), c.lines) << "text: " << c.text;
    }
}

TEST(ItemPageTest, LongFeedTextIsCutNeverInsideACharacterOrATag) {
    const struct {
        const char* name;
        const char* text;
        size_t limit;
        const char* kept;
    } cases[] = {
        {"within the limit", "<b>bold</b>", 11, "<b>bold</b>"},
        {"cut at the limit", "abcdef", 4, "abcd"},
        {"a two-byte character the limit falls in goes", "ab\xC3\xA9z", 3, "ab"},
        {"a tag the limit falls in goes", "text <img src=x>", 10, "text "},
        {"a closed tag stays", "<b>bo</b>ld", 10, "<b>bo</b>l"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CutFeedText(c.text, c.limit), c.kept) << c.name;
    }
}

}  // namespace
}  // namespace saver
