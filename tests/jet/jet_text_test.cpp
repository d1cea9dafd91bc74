// The stored forms of text in Jet 4 pages and Jet 3 code pages.
#include "jet/jet_text.h"

#include <gtest/gtest.h>

#include <cstring>
#include <stdexcept>

using namespace bearing;

TEST(JetText, CompressesOnlyWhereReadersCanTakeIt) {
    // Latin text shrinks to one byte a character behind the FF FE prefix.
    EXPECT_EQ(encodeJetText(u"SKF 6204", true), std::string("\xFF\xFE"
                                                            "SKF 6204"));
    // Chinese text does not get shorter, so it stays plain UCS-2.
    EXPECT_EQ(encodeJetText(u"轴承", true), std::string("\x74\x8F\x7F\x62", 4));
    // A character whose low byte is 00 would read back as a mode switch.
    EXPECT_EQ(encodeJetText(u"6204 一", true),
              std::string("6\0002\0000\0004\000 \000\x00\x4E", 12));
    EXPECT_EQ(encodeJetText(u"", true), "");
    EXPECT_EQ(encodeJetText(u"abc", false), std::string("a\0b\0c\0", 6));
    EXPECT_THROW((void)encodeJetText(u"\uFEFF\u0100", true), std::invalid_argument);
}

TEST(JetText, StoredTextDecodesToUtf8) {
    const std::u16string samples[] = {
        u"SKF 6204-2RS1",
        u"深沟球轴承 0类",
        u"推力圆锥滚子轴承 ",
        u"Mixed 混合 text ÄÖü",
        u"6204 一",
        u"\uFEFFstarts with a byte-order mark",
        u"",
        u"😀 beyond the BMP",
    };
    for (const auto& s : samples) {
        for (bool compress : {true, false}) {
            if (!compress && !s.empty() && s.front() == 0xFEFF)
                continue; // only the compressed form can start with U+FEFF
            const std::string stored = encodeJetText(s, compress);
            std::string utf8;
            appendJetTextAsUtf8(utf8, reinterpret_cast<const unsigned char*>(stored.data()),
                                stored.size());
            std::string expected;
            appendUtf16AsUtf8(expected, s.data(), s.size());
            EXPECT_EQ(utf8, expected);
            EXPECT_EQ(utf8ToUtf16(utf8), s);
        }
    }
}

TEST(JetText, MalformedUtf8IsRejected) {
    for (const char* bad : {"\xC3", "\xC0\xAF", "\xED\xA0\x80", "\xF8\x88\x80\x80\x80", "a\x80"})
        EXPECT_THROW((void)utf8ToUtf16(bad), std::invalid_argument) << bad;
}

TEST(JetText, CodePageTextDecodesToUtf8) {
    const struct {
        unsigned codePage;
        const char* stored;
        const char* utf8;
    } cases[] = {
        {1252, "SKF 6204", "SKF 6204"},
        {1252, "\x80 \xC4\xD6\xFC", "€ ÄÖü"},
        {0, "\xE9t\xE9", "été"}, // a file naming no code page is Western
        {936, "\xC9\xEE\xB9\xB5\xC7\xF2\xD6\xE1\xB3\xD0 0\xC0\xE0", "深沟球轴承 0类"},
        {936, "\x81\x40", "丂"}, // a second byte in the ASCII range
        {950, "\xB6\x62\xA9\xD3", "軸承"},
        {932, "\x8E\xB2\x8E\xF3", "軸受"},
        {1251, "\xCF\xEE\xE4\xF8\xE8\xEF\xED\xE8\xEA", "Подшипник"},
        // Bytes the code page does not define become U+FFFD, and the text goes on.
        {936,
         "6204\xFF"
         "2RS",
         "6204\xEF\xBF\xBD"
         "2RS"},
        {936, "6204\xD6", "6204\xEF\xBF\xBD"}, // cut off after the first byte
    };
    for (const auto& c : cases) {
        const CodePageDecoder decoder(c.codePage);
        std::string out = "x";
        decoder.append(out, reinterpret_cast<const unsigned char*>(c.stored),
                       std::strlen(c.stored));
        EXPECT_EQ(out, std::string("x") + c.utf8) << c.utf8;
    }
    EXPECT_THROW(CodePageDecoder(4242), std::invalid_argument);
}
