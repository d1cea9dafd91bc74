// Text forms of numbers and the stored forms of text in Jet 4 pages.
#include "platform/jet_text.h"

#include <gtest/gtest.h>

#include <stdexcept>

using namespace bearing;

TEST(JetText, NumbersHaveTheEngineTextForm)
{
    const struct {
        double value;
        const char* text;
    } cases[] = {
        {47, "47"},       {47.5, "47.5"},   {0.1, "0.1"},     {-0.5, "-0.5"},
        {1e-7, "1E-07"},  {15.25, "15.25"}, {0, "0"},         {123456789012345, "123456789012345"},
        {1e15, "1E+15"},  {1.0 / 3, "0.333333333333333"}, {-2147483648.0, "-2147483648"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(formatDouble(c.value), c.text) << c.value;
    EXPECT_EQ(formatSingle(0.1f), "0.1");
    EXPECT_EQ(formatSingle(47.0f), "47");
    EXPECT_EQ(formatSingle(1.0f / 3), "0.3333333");
}

TEST(JetText, CompressesOnlyWhereReadersCanTakeIt)
{
    // Latin text shrinks to one byte a character behind the FF FE prefix.
    EXPECT_EQ(encodeJetText(u"SKF 6204", true), std::string("\xFF\xFE" "SKF 6204"));
    // Chinese text does not get shorter, so it stays plain UCS-2.
    EXPECT_EQ(encodeJetText(u"轴承", true), std::string("\x74\x8F\x7F\x62", 4));
    // A character whose low byte is 00 would read back as a mode switch.
    EXPECT_EQ(encodeJetText(u"6204 一", true), std::string("6\0002\0000\0004\000 \000\x00\x4E", 12));
    EXPECT_EQ(encodeJetText(u"", true), "");
    EXPECT_EQ(encodeJetText(u"abc", false), std::string("a\0b\0c\0", 6));
    EXPECT_THROW((void)encodeJetText(u"\uFEFF\u0100", true), std::invalid_argument);
}

TEST(JetText, StoredTextDecodesToUtf8)
{
    const std::u16string samples[] = {
        u"SKF 6204-2RS1", u"深沟球轴承 0类", u"推力圆锥滚子轴承 ", u"Mixed 混合 text ÄÖü", u"6204 一",
        u"\uFEFFstarts with a byte-order mark", u"", u"😀 beyond the BMP",
    };
    for (const auto& s : samples) {
        for (bool compress : {true, false}) {
            if (!compress && !s.empty() && s.front() == 0xFEFF)
                continue; // only the compressed form can start with U+FEFF
            const std::string stored = encodeJetText(s, compress);
            std::string utf8;
            appendJetTextAsUtf8(utf8, reinterpret_cast<const unsigned char*>(stored.data()), stored.size());
            std::string expected;
            appendUtf16AsUtf8(expected, s.data(), s.size());
            EXPECT_EQ(utf8, expected);
            EXPECT_EQ(utf8ToUtf16(utf8), s);
        }
    }
}

TEST(JetText, MalformedUtf8IsRejected)
{
    for (const char* bad : {"\xC3", "\xC0\xAF", "\xED\xA0\x80", "\xF8\x88\x80\x80\x80", "a\x80"})
        EXPECT_THROW((void)utf8ToUtf16(bad), std::invalid_argument) << bad;
}
