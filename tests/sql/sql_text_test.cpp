// Text rules of the statement engine: UTF-8 decoding, case folding and LIKE.
#include "sql/sql_text.h"

#include "sql/table.h"

#include "tests/support/case_name.h"

#include <gtest/gtest.h>

#include <string>

namespace bearing {
namespace {

struct DecodeCase {
    const char* name;
    std::string bytes;
    char32_t codePoint;
    std::size_t length;
};

class DecodeUtf8Test : public testing::TestWithParam<DecodeCase> {};

TEST_P(DecodeUtf8Test, ReadsOneCodePoint) {
    std::size_t position = 0;
    EXPECT_EQ(decodeUtf8(GetParam().bytes, position), GetParam().codePoint);
    EXPECT_EQ(position, GetParam().length);
}

INSTANTIATE_TEST_SUITE_P(
    Sequences, DecodeUtf8Test,
    testing::Values(DecodeCase{"Ascii", "A", U'A', 1}, DecodeCase{"TwoBytes", "Ä", U'Ä', 2},
                    DecodeCase{"ThreeBytes", "轴", U'轴', 3},
                    DecodeCase{"FourBytes", "\xF0\x9F\x98\x80", U'\U0001F600', 4},
                    DecodeCase{"StrayContinuation",
                               "\x80"
                               "A",
                               U'\uFFFD', 1},
                    DecodeCase{"TruncatedAtEnd", "\xE8\xBD", U'\uFFFD', 1},
                    DecodeCase{"BrokenByAscii",
                               "\xE8"
                               "A",
                               U'\uFFFD', 1},
                    DecodeCase{"Overlong", "\xE0\x80\xAF", U'\uFFFD', 1},
                    DecodeCase{"Surrogate", "\xED\xA0\x80", U'\uFFFD', 1},
                    DecodeCase{"BeyondUnicode", "\xF4\x90\x80\x80", U'\uFFFD', 1}),
    bearing::test::CaseName());

struct EqualCase {
    const char* name;
    std::string a;
    std::string b;
    bool equal;
};

class EqualsIgnoringCaseTest : public testing::TestWithParam<EqualCase> {};

TEST_P(EqualsIgnoringCaseTest, ComparesFoldedText) {
    EXPECT_EQ(equalsIgnoringCase(GetParam().a, GetParam().b), GetParam().equal);
    EXPECT_EQ(foldedUtf8(GetParam().a) == foldedUtf8(GetParam().b), GetParam().equal);
}

INSTANTIATE_TEST_SUITE_P(Pairs, EqualsIgnoringCaseTest,
                         testing::Values(EqualCase{"Ascii", "SKF 6204", "skf 6204", true},
                                         EqualCase{"LatinUmlaut", "ÄPFEL", "äpfel", true},
                                         EqualCase{"LatinAccent", "ÉLAN", "élan", true},
                                         EqualCase{"Greek", "ΣΟΦΙΑ", "σοφια", true},
                                         EqualCase{"FinalSigma", "Σ", "ς", true},
                                         EqualCase{"KelvinSignFoldsToAsciiK", "\u212A", "k", true},
                                         EqualCase{"Chinese", "推力球轴承", "推力球轴承", true},
                                         EqualCase{"SimpleFoldingKeepsSharpS", "STRASSE", "straße",
                                                   false},
                                         EqualCase{"TrailingSpaceCounts", "推力圆锥滚子轴承 ",
                                                   "推力圆锥滚子轴承", false},
                                         EqualCase{"PrefixIsNotEqual", "SKF", "SKF ", false},
                                         EqualCase{"AccentIsNotBaseLetter", "e", "é", false}),
                         bearing::test::CaseName());

struct LikeCase {
    const char* name;
    std::string value;
    std::string pattern;
    bool matches;
};

class LikeMatchesTest : public testing::TestWithParam<LikeCase> {};

TEST_P(LikeMatchesTest, MatchesWholeValue) {
    EXPECT_EQ(likeMatches(foldedCodePoints(GetParam().value), foldedCodePoints(GetParam().pattern)),
              GetParam().matches);
}

INSTANTIATE_TEST_SUITE_P(
    Patterns, LikeMatchesTest,
    testing::Values(LikeCase{"EmptyMatchesEmpty", "", "", true},
                    LikeCase{"EmptyPatternNeedsEmptyValue", "a", "", false},
                    LikeCase{"PercentMatchesEmpty", "", "%", true},
                    LikeCase{"PercentMatchesAnyRun", "SKF 6204-2RS", "%6204%", true},
                    LikeCase{"NoWildcardIsWholeValue", "6204-2RS", "6204", false},
                    LikeCase{"PrefixPattern", "SKF 6204", "skf %", true},
                    LikeCase{"PrefixNeedsItsSpace", "SKF6204", "SKF %", false},
                    LikeCase{"PercentBacktracks", "axxbyb", "a%b", true},
                    LikeCase{"PercentBacktracksToFailure", "axxbyc", "a%b", false},
                    LikeCase{"SeveralPercents", "abcabd", "%a%b%d", true},
                    LikeCase{"DoublePercent", "x", "%%", true},
                    LikeCase{"UnderscoreIsOneCodePoint", "轴", "_", true},
                    LikeCase{"UnderscoreIsNotTwo", "轴承", "_", false},
                    LikeCase{"UnderscoreIsNotNone", "ac", "a_c", false},
                    LikeCase{"UnderscoreAfterPercent", "abc", "%_c", true},
                    LikeCase{"FoldedBeyondAscii", "ÄPFEL", "äp%", true},
                    LikeCase{"BracketsAreLiteral", "a", "[a]", false},
                    LikeCase{"AsteriskIsLiteral", "abc", "a*", false},
                    LikeCase{"QuestionMarkIsLiteral", "ab", "a?", false}),
    bearing::test::CaseName());

TEST(FindColumnIgnoringCaseTest, FoldsNamesBeyondAscii) {
    const Table table("t", {{"newNO", ValueKind::Text}, {"Größe", ValueKind::Number}});
    EXPECT_EQ(findColumnIgnoringCase(table, "NEWno"), 0);
    EXPECT_EQ(findColumnIgnoringCase(table, "GRÖSSE"), -1);
    EXPECT_EQ(findColumnIgnoringCase(table, "GRÖße"), 1);
    EXPECT_EQ(findColumnIgnoringCase(table, "newNO "), -1);
}

} // namespace
} // namespace bearing
