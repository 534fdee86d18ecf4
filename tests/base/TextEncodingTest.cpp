#include "base/TextEncoding.h"

#include <gtest/gtest.h>

namespace saver {
namespace {

using enum TextEncoding;

TEST(TextEncodingTest, DecodesWhatWindowsToolsWrite) {
    struct Case {
        const char* name;
        std::string bytes;
        std::string text;
        TextEncoding encoding;
    };
    const Case cases[] = {
        {"empty", "", "", Utf8},
        {"plain UTF-8", "Caf\xC3\xA9", "Caf\xC3\xA9", Utf8},
        {"UTF-8 mark dropped", "\xEF\xBB\xBF[Set]", "[Set]", Utf8WithMark},
        {"UTF-16 LE",
         std::string("\xFF\xFE"
                     "C\0\xE9\0",
                     6),
         "C\xC3\xA9", Utf16Le},
        {"UTF-16 BE pair", std::string("\xFE\xFF\xD8\x3D\xDE\x00", 6), "\xF0\x9F\x98\x80", Utf16Be},
        // A high surrogate without its low half, and a last byte without its partner.
        {"UTF-16 broken",
         std::string("\xFF\xFE\x3D\xD8"
                     "A\0"
                     "B",
                     7),
         "\xEF\xBF\xBD"
         "A"
         "\xEF\xBF\xBD",
         Utf16Le},
        {"Windows-1252", "Caf\xE9 \x80", "Caf\xC3\xA9 \xE2\x82\xAC", Windows1252},
        // An overlong form is not UTF-8, so the file is Windows-1252.
        {"overlong", "\xC0\xAF", "\xC3\x80\xC2\xAF", Windows1252},
        // Bytes the code page leaves undefined read as the control characters of their number.
        {"undefined 1252", "\x81\x9D", "\xC2\x81\xC2\x9D", Windows1252},
    };
    for (const Case& c : cases) {
        DecodedText decoded = DecodeText(c.bytes);
        EXPECT_EQ(decoded.text, c.text) << c.name;
        EXPECT_EQ(decoded.encoding, c.encoding) << c.name;
    }
}

TEST(TextEncodingTest, EncodesBackToTheSameBytes) {
    const std::string text = "Caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80\r\n";
    for (TextEncoding encoding : {Utf8, Utf8WithMark, Utf16Le, Utf16Be}) {
        std::optional<std::string> bytes = EncodeText(text, encoding);
        ASSERT_TRUE(bytes) << EncodingName(encoding);
        DecodedText again = DecodeText(*bytes);
        EXPECT_EQ(again.text, text) << EncodingName(encoding);
        EXPECT_EQ(again.encoding, encoding) << EncodingName(encoding);
    }
    EXPECT_EQ(EncodeText("A\xF0\x9F\x98\x80", Utf16Le), std::string("\xFF\xFE"
                                                                    "A\0\x3D\xD8\x00\xDE",
                                                                    8));

    // Every byte of the code page reads as one character and writes back as that byte.
    std::string every_byte;
    for (int b = 0; b < 256; ++b) {
        every_byte += static_cast<char>(b);
    }
    DecodedText decoded = DecodeText(every_byte);
    ASSERT_EQ(decoded.encoding, Windows1252);
    EXPECT_EQ(EncodeText(decoded.text, Windows1252), every_byte);
    EXPECT_FALSE(EncodeText("\xF0\x9F\x98\x80", Windows1252)) << "not in the code page";
    // Bytes that are not UTF-8 cannot reach UTF-16 as they are: they become U+FFFD.
    EXPECT_EQ(EncodeText("\xFF", Utf16Be), std::string("\xFE\xFF\xFF\xFD"));
}

}  // namespace
}  // namespace saver
