// Tests of how a CSV file's encoding is settled and of reading it as UTF-8.
#include "tools/catalog/decoding_buffer.h"
#include "tools/catalog/text_encoding.h"

#include "tests/support/case_name.h"

#include <gtest/gtest.h>

#include <iterator>
#include <sstream>

namespace bearing::cli {
namespace {

// "深沟球轴承,哈轴" in GB18030 (GBK's bytes).
const std::string kGbText = "\xC9\xEE\xB9\xB5\xC7\xF2\xD6\xE1\xB3\xD0,\xB9\xFE\xD6\xE1";
const std::string kUtf8Text = "深沟球轴承,哈轴";

struct DetectCase {
    const char* name;
    std::string bytes;
    Encoding expected;
};

void PrintTo(const DetectCase& c, std::ostream* os) {
    *os << c.name;
}

class DetectEncoding : public testing::TestWithParam<DetectCase> {};

TEST_P(DetectEncoding, settlesTheEncoding) {
    std::istringstream in(GetParam().bytes);
    EXPECT_EQ(detectEncoding(in), GetParam().expected);
}

// A character cut in two by the detector's 64 KiB pieces is still UTF-8.
std::string utf8AcrossPieces() {
    return std::string(65535, 'x') + kUtf8Text;
}

INSTANTIATE_TEST_SUITE_P(
    Files, DetectEncoding,
    testing::Values(
        DetectCase{"empty", "", {"UTF-8", EncodingSource::Utf8Check}},
        DetectCase{"ascii", "A,B\n1,2\n", {"UTF-8", EncodingSource::Utf8Check}},
        DetectCase{"utf8Chinese", "A\n" + kUtf8Text + "\n", {"UTF-8", EncodingSource::Utf8Check}},
        DetectCase{"utf8AcrossPieces", utf8AcrossPieces(), {"UTF-8", EncodingSource::Utf8Check}},
        DetectCase{"utf8Mark",
                   "\xEF\xBB\xBF"
                   "A\n",
                   {"UTF-8", EncodingSource::ByteOrderMark}},
        DetectCase{"utf16LeMark",
                   std::string("\xFF\xFE"
                               "A\0",
                               4),
                   {"UTF-16LE", EncodingSource::ByteOrderMark}},
        DetectCase{"utf16BeMark",
                   std::string("\xFE\xFF\0A", 4),
                   {"UTF-16BE", EncodingSource::ByteOrderMark}},
        DetectCase{"gbk", "A\n" + kGbText + "\n", {"GB18030", EncodingSource::Guessed}},
        DetectCase{"gbkAfterMuchAscii",
                   std::string(200000, 'x') + kGbText,
                   {"GB18030", EncodingSource::Guessed}},
        DetectCase{"truncatedUtf8AtEnd", "A\n\xE4\xB8", {"GB18030", EncodingSource::Guessed}}),
    bearing::test::CaseName());

TEST(DetectEncoding, nulBytesWithoutMarkAskForTheEncoding) {
    std::istringstream in(std::string("A\0,\0B\0", 6));
    try {
        static_cast<void>(detectEncoding(in));
        FAIL() << "accepted";
    } catch (const EncodingError& e) {
        EXPECT_NE(std::string(e.what()).find("--encoding (UTF-16LE or UTF-16BE)"),
                  std::string::npos)
            << e.what();
    }
}

TEST(FirstInvalidUtf8, truncatedEndIsReportedApartWhenAsked) {
    std::size_t truncated = 0;
    EXPECT_EQ(firstInvalidUtf8("ab\xE4\xB8", &truncated), std::string_view::npos);
    EXPECT_EQ(truncated, 2u);
    EXPECT_EQ(firstInvalidUtf8("ab\xE4\xB8"), 2u);
    EXPECT_EQ(firstInvalidUtf8("ab\xE4x", &truncated), 2u);
}

// ASCII is stepped over eight bytes at a time; a fault anywhere in or after a step is found.
TEST(FirstInvalidUtf8, faultAtEveryOffsetOfTheAsciiSteps) {
    for (std::size_t at = 0; at < 20; ++at) {
        std::string text(at, 'a');
        text += "\xFF";
        text += std::string(at % 9, 'b');
        EXPECT_EQ(firstInvalidUtf8(text), at);
        text[at] = 'c';
        EXPECT_EQ(firstInvalidUtf8(text), std::string_view::npos) << at;
    }
    EXPECT_EQ(firstInvalidUtf8("abcdefgh深沟ijklmnop\xC0"), 22u);
}

std::string decoded(const std::string& bytes, const std::string& encoding,
                    std::string* undecodable = nullptr) {
    std::istringstream raw(bytes);
    DecodingBuffer buffer(raw, encoding);
    std::istream in(&buffer);
    std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (undecodable)
        *undecodable = buffer.firstUndecodable();
    return text;
}

TEST(DecodingBuffer, readsGbkAndUtf16AsUtf8) {
    EXPECT_EQ(decoded(kGbText, "GB18030"), kUtf8Text);
    EXPECT_EQ(decoded(std::string("\xFF\xFE\xF1\x6D"
                                  "A\0",
                                  6),
                      "UTF-16LE"),
              "\xEF\xBB\xBF"
              "深A");
    EXPECT_EQ(decoded(std::string("\x6D\xF1\0A", 4), "UTF-16BE"), "深A");
}

// A two-byte character split by the 64 KiB pieces the buffer reads in.
TEST(DecodingBuffer, characterAcrossPiecesIsWhole) {
    for (std::size_t padding : {65535, 65536, 65537}) {
        const std::string pad(padding, 'x');
        EXPECT_EQ(decoded(pad + kGbText, "GB18030"), pad + kUtf8Text) << padding;
    }
}

TEST(DecodingBuffer, undecodableBytesBecomeAMarkerAndTheFirstAreKept) {
    std::string first;
    EXPECT_EQ(decoded("a\x80"
                      "b\xFF"
                      "c",
                      "GB18030", &first),
              "a\xFF"
              "b\xFF"
              "c");
    EXPECT_EQ(first, "\x80");
    // An unpaired surrogate, and a code unit cut short by the end of the file.
    EXPECT_EQ(decoded(std::string("\x00\xD8"
                                  "A\0"
                                  "B",
                                  5),
                      "UTF-16LE", &first),
              "\xFF"
              "A\xFF");
    EXPECT_EQ(hexBytes(first), "0x00 0xD8");
}

TEST(TextConverter, unknownEncodingIsNamed) {
    try {
        DecodingBuffer buffer(std::cin, "NO-SUCH-ENCODING");
        FAIL() << "accepted";
    } catch (const EncodingError& e) {
        EXPECT_NE(std::string(e.what()).find("\"NO-SUCH-ENCODING\""), std::string::npos)
            << e.what();
    }
}

TEST(TextConverter, convertStopsAtWhatTheTargetCannotHold) {
    TextConverter toGbk("GBK", "UTF-8");
    std::string out;
    EXPECT_EQ(toGbk.convert("轴承", out), std::string_view::npos);
    EXPECT_EQ(out, "\xD6\xE1\xB3\xD0");
    EXPECT_EQ(toGbk.convert("ab\xF0\x9F\x98\x80", out), 2u);
}

} // namespace
} // namespace bearing::cli
