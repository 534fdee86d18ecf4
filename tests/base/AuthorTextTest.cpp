#include "base/AuthorText.h"

#include <gtest/gtest.h>

namespace saver {
namespace {

TEST(AuthorTextTest, ReadmeIsUtf8WhateverItsFileHeld) {
    EXPECT_EQ(AuthorText("Caf\xE9"), "Caf\xC3\xA9");
    EXPECT_EQ(AuthorText("Caf\xC3\xA9"), "Caf\xC3\xA9");
    EXPECT_EQ(AuthorText(std::string("\xFF\xFE\xE9\0", 4)), "\xC3\xA9");
}

TEST(AuthorTextTest, PageTemplatesReadAsUtf8UnlessTheyDeclareACharset) {
    struct Case {
        const char* name;
        std::string bytes;
        std::string text;
    };
    const Case cases[] = {
        {"declared keeps its bytes",
         "<META http-equiv=\"Content-Type\" content=\"text/html; charset = windows-1252\">\xE9",
         "<META http-equiv=\"Content-Type\" content=\"text/html; charset = windows-1252\">\xE9"},
        {"HTML5 declaration", "<meta charset='utf-8'>\xC3\xA9", "<meta charset='utf-8'>\xC3\xA9"},
        {"Windows-1252 without a declaration", "<p>Caf\xE9 ##title##</p>",
         "\xEF\xBB\xBF<p>Caf\xC3\xA9 ##title##</p>"},
        {"UTF-8 without a declaration", "<p>Caf\xC3\xA9</p>", "\xEF\xBB\xBF<p>Caf\xC3\xA9</p>"},
        // "charset" outside a <meta> tag declares nothing.
        {"charset in the text", "<p>charset=x \xE9</p>", "\xEF\xBB\xBF<p>charset=x \xC3\xA9</p>"},
        {"meta without charset", "<meta name=charset><meta",
         "\xEF\xBB\xBF<meta name=charset><meta"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PageTemplateText(c.bytes), c.text) << c.name;
    }
}

}  // namespace
}  // namespace saver
