// Tests of CsvReader and the number parsers used for --double and --long columns.
// Longer than most: its tables of inputs are the CSV forms the reader accepts and refuses.
#include "tools/catalog/csv_reader.h"

#include "tests/support/case_name.h"

#include <gtest/gtest.h>

#include <sstream>

namespace bearing::cli {
namespace {

struct Contents {
    std::vector<std::string> header;
    std::vector<CsvRecord> records;
};

// Reads through one reused record, as the importer does, so that a field left
// over from the previous record would show.
Contents readAll(const std::string& text, CsvFormat format = {}) {
    std::istringstream in(text);
    CsvReader reader(in, std::move(format));
    Contents contents{reader.header(), {}};
    CsvRecord record;
    while (reader.next(record))
        contents.records.push_back(record);
    return contents;
}

struct GoodCase {
    const char* name;
    std::string input;
    std::vector<std::string> header;
    std::vector<CsvRecord> records;
};

// Names the case, not its bytes, in test listings and failures.
void PrintTo(const GoodCase& c, std::ostream* os) {
    *os << c.name;
}

class CsvReaderGood : public testing::TestWithParam<GoodCase> {};

TEST_P(CsvReaderGood, readsHeaderAndRecords) {
    const GoodCase& c = GetParam();
    const Contents contents = readAll(c.input);
    EXPECT_EQ(contents.header, c.header);
    EXPECT_EQ(contents.records, c.records);
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, CsvReaderGood,
    testing::Values(
        GoodCase{"lineFeeds", "A,B\n1,2\n3,4\n", {"A", "B"}, {{"1", "2"}, {"3", "4"}}},
        GoodCase{"crLf", "A,B\r\n1,2\r\n3,4\r\n", {"A", "B"}, {{"1", "2"}, {"3", "4"}}},
        GoodCase{"lastLineWithoutLineEnd", "A,B\n1,2\n3,4", {"A", "B"}, {{"1", "2"}, {"3", "4"}}},
        GoodCase{"byteOrderMarkSkipped",
                 "\xEF\xBB\xBF"
                 "A,B\n1,2\n",
                 {"A", "B"},
                 {{"1", "2"}}},
        GoodCase{"byteOrderMarkLaterIsText", "A\n\xEF\xBB\xBFx\n", {"A"}, {{"\xEF\xBB\xBFx"}}},
        GoodCase{"headerOnly", "A,B\n", {"A", "B"}, {}},
        GoodCase{"trailingEmptyLineDropped", "A,B\n1,2\n\n", {"A", "B"}, {{"1", "2"}}},
        GoodCase{
            "trailingEmptyCrLfLinesDropped", "A,B\r\n1,2\r\n\r\n\r\n", {"A", "B"}, {{"1", "2"}}},
        GoodCase{"singleColumnEmptyLinesAreNull",
                 "A\nx\n\n\n",
                 {"A"},
                 {{"x"}, {std::nullopt}, {std::nullopt}}},
        GoodCase{"headerOnlyWithoutLineEnd", "A,B", {"A", "B"}, {}},
        GoodCase{"quotedComma", "A,B\n\"1,5\",x\n", {"A", "B"}, {{"1,5", "x"}}},
        GoodCase{"doubledQuotes", "A\n\"say \"\"hi\"\"\"\n", {"A"}, {{"say \"hi\""}}},
        GoodCase{"onlyAQuote", "A\n\"\"\"\"\n", {"A"}, {{"\""}}},
        GoodCase{
            "quotedLineBreaksKept", "A,B\n\"x\r\ny\nz\",2\n", {"A", "B"}, {{"x\r\ny\nz", "2"}}},
        GoodCase{"quotedCarriageReturnKept", "A\n\"a\rb\"\n", {"A"}, {{"a\rb"}}},
        GoodCase{"nullAndEmptyTextDiffer",
                 "A,B,C\n,\"\",x\n",
                 {"A", "B", "C"},
                 {{std::nullopt, "", "x"}}},
        GoodCase{"trailingEmptyFieldIsNull", "A,B\n1,\n", {"A", "B"}, {{"1", std::nullopt}}},
        GoodCase{"allNull",
                 "A,B,C\n,,\n",
                 {"A", "B", "C"},
                 {{std::nullopt, std::nullopt, std::nullopt}}},
        GoodCase{"nullAfterTextInSameColumn",
                 "A,B\nx,y\n,y\n",
                 {"A", "B"},
                 {{"x", "y"}, {std::nullopt, "y"}}},
        GoodCase{"blankLineIsNullInOneColumn", "A\n\n1\n", {"A"}, {{std::nullopt}, {"1"}}},
        GoodCase{"emptyTextAtEndOfFile", "A\n\"\"", {"A"}, {{""}}},
        GoodCase{"quotedAtEndOfFile", "A,B\n1,\"x\"", {"A", "B"}, {{"1", "x"}}},
        GoodCase{"spacesKept", "A,B\n 6204 , x\n", {"A", "B"}, {{" 6204 ", " x"}}},
        GoodCase{"chineseText",
                 "型号,类型\n6204,深沟球轴承\n",
                 {"型号", "类型"},
                 {{"6204", "深沟球轴承"}}},
        GoodCase{"quotedHeaderName", "\"A,1\",B\n1,2\n", {"A,1", "B"}, {{"1", "2"}}},
        GoodCase{"fourByteCharacter", "A\n\xF0\x9F\x94\xA9\n", {"A"}, {{"\xF0\x9F\x94\xA9"}}}),
    bearing::test::CaseName());

struct BadCase {
    const char* name;
    std::string input;
    std::size_t line;
    std::size_t column;
    std::string columnName;
    std::string problem;
};

void PrintTo(const BadCase& c, std::ostream* os) {
    *os << c.name;
}

class CsvReaderBad : public testing::TestWithParam<BadCase> {};

TEST_P(CsvReaderBad, namesLineAndColumn) {
    const BadCase& c = GetParam();
    std::string where = "line " + std::to_string(c.line);
    if (c.column != 0)
        where += ", column " + std::to_string(c.column);
    if (!c.columnName.empty())
        where += " (" + c.columnName + ")";
    try {
        readAll(c.input);
        FAIL() << "no error for " << c.name;
    } catch (const CsvError& e) {
        const std::string message = e.what();
        EXPECT_EQ(message.substr(0, where.size() + 2), where + ": ") << message;
        EXPECT_NE(message.find(c.problem), std::string::npos) << message;
        EXPECT_EQ(e.line(), c.line);
        EXPECT_EQ(e.column(), c.column);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, CsvReaderBad,
    testing::Values(
        BadCase{"emptyFile", "", 1, 0, "", "the file is empty"},
        BadCase{"onlyByteOrderMark", "\xEF\xBB\xBF", 1, 0, "", "the file is empty"},
        BadCase{"emptyHeaderName", "A,,C\n", 1, 2, "", "empty column name"},
        BadCase{"emptyQuotedHeaderName", "A,\"\"\n", 1, 2, "", "empty column name"},
        BadCase{"emptyLastHeaderName", "A,\n1,2\n", 1, 2, "", "empty column name"},
        BadCase{"blankHeaderLine", "\nA\n", 1, 1, "", "empty column name"},
        BadCase{"duplicateNameIgnoringCase", "DZAO,WJIN,dzao\n", 1, 3, "dzao",
                "duplicate column name; column 1 is \"DZAO\""},
        BadCase{"invalidUtf8InHeader", "A,\xC0\xAF\n", 1, 2, "", "invalid UTF-8 (byte 0xC0)"},
        BadCase{"fewerFields", "A,B,C\n1,2,3\n4,5\n", 3, 3, "C",
                "missing field; the record has 2 fields but the header names 3 columns"},
        BadCase{"fewerFieldsAtEndOfFile", "A,B\n1", 2, 2, "B", "missing field"},
        BadCase{"blankLineAmongSeveralColumns", "A,B\n1,2\n\n3,4\n", 3, 2, "B", "missing field"},
        BadCase{"fewerFieldsAfterMultiLineField", "A,B,C\n1,\"x\ny\"\n", 3, 3, "C",
                "missing field"},
        BadCase{"moreFields", "A,B\n1,2,3\n", 2, 3, "", "extra field; the header names 2 columns"},
        BadCase{"trailingComma", "A,B\n1,2,\n", 2, 3, "", "extra field"},
        BadCase{"quoteInsideUnquotedField", "A,B\n1,ab\"c\n", 2, 2, "B",
                "a quote inside an unquoted field"},
        BadCase{"unterminatedQuote", "A,B\n1,2\n3,\"abc\n\n", 3, 2, "B",
                "the quoted field is not closed"},
        BadCase{"textAfterClosingQuote", "A,B\n\"x\"y,2\n", 2, 1, "A",
                "text after the closing quote"},
        BadCase{"spaceAfterClosingQuote", "A,B\n\"x\" ,2\n", 2, 1, "A",
                "text after the closing quote"},
        BadCase{"textAfterQuoteOnLaterLine", "A,B\n1,\"x\ny\"z\n", 3, 2, "B",
                "text after the closing quote"},
        BadCase{"carriageReturnAlone", "A,B\n1,2\r3,4\n", 2, 2, "B", "carriage return"},
        BadCase{"invalidByte", "A,B\n1,\xFF\n", 2, 2, "B", "invalid UTF-8 (byte 0xFF)"},
        BadCase{"truncatedSequence", "A,B\n\xE4\xB8,x\n", 2, 1, "A", "invalid UTF-8 (byte 0xE4)"},
        BadCase{"truncatedAtEndOfFile", "A\n\xE4", 2, 1, "A", "invalid UTF-8 (byte 0xE4)"},
        BadCase{"overlongForm", "A\n\xE0\x80\xAF\n", 2, 1, "A", "invalid UTF-8 (byte 0xE0)"},
        BadCase{"surrogate", "A\n\xED\xA0\x80\n", 2, 1, "A", "invalid UTF-8 (byte 0xED)"},
        BadCase{"pastLastCodePoint", "A\n\xF4\x90\x80\x80\n", 2, 1, "A",
                "invalid UTF-8 (byte 0xF4)"},
        BadCase{"loneContinuationByte", "A\nab\x80\n", 2, 1, "A", "invalid UTF-8 (byte 0x80)"},
        BadCase{"invalidUtf8OnSecondLineOfField", "A,B\n1,\"ok\n\xFE\"\n", 3, 2, "B",
                "invalid UTF-8 (byte 0xFE)"},
        BadCase{"linesCountedThroughQuotedBreaks", "A,B\n\"x\ny\",1\n2,\"3\"4\n", 4, 2, "B",
                "text after the closing quote"},
        BadCase{"linesCountedWithCrLf", "A,B\r\n1,2\r\n3\r\n", 3, 2, "B", "missing field"}),
    bearing::test::CaseName());

struct DelimiterCase {
    const char* name;
    char given;
    std::string input;
    char used;
    std::vector<std::string> header;
    std::vector<CsvRecord> records;
};

void PrintTo(const DelimiterCase& c, std::ostream* os) {
    *os << c.name;
}

class CsvReaderDelimiter : public testing::TestWithParam<DelimiterCase> {};

TEST_P(CsvReaderDelimiter, splitsFieldsAtTheSeparatorOnly) {
    const DelimiterCase& c = GetParam();
    std::istringstream in(c.input);
    CsvReader reader(in, CsvFormat{c.given, {}});
    EXPECT_EQ(reader.delimiter(), c.used);
    EXPECT_EQ(reader.header(), c.header);
    std::vector<CsvRecord> records;
    CsvRecord record;
    while (reader.next(record))
        records.push_back(record);
    EXPECT_EQ(records, c.records);
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, CsvReaderDelimiter,
    testing::Values(
        DelimiterCase{"commaFromHeader", '\0', "A,B\n1;2,3\n", ',', {"A", "B"}, {{"1;2", "3"}}},
        DelimiterCase{"tabFromHeader",
                      '\0',
                      "A\tB\r\n\"1,5\"\t\r\n",
                      '\t',
                      {"A", "B"},
                      {{"1,5", std::nullopt}}},
        DelimiterCase{"semicolonFromHeader",
                      '\0',
                      "A;B;C\n1,5;;x\n",
                      ';',
                      {"A", "B", "C"},
                      {{"1,5", std::nullopt, "x"}}},
        DelimiterCase{"separatorInsideQuotedNameNotCounted",
                      '\0',
                      "\"A,B,C\"\tD\n1\t2\n",
                      '\t',
                      {"A,B,C", "D"},
                      {{"1", "2"}}},
        DelimiterCase{"mostUsedWins",
                      '\0',
                      "A;B;C,D\n1;2;3,4\n",
                      ';',
                      {"A", "B", "C,D"},
                      {{"1", "2", "3,4"}}},
        DelimiterCase{"singleColumnIsComma", '\0', "A\n1;2\n", ',', {"A"}, {{"1;2"}}},
        DelimiterCase{
            "givenOverridesHeader", ';', "A,B;C\n1,2;3\n", ';', {"A,B", "C"}, {{"1,2", "3"}}}),
    bearing::test::CaseName());

TEST(CsvReader, undecodableBytesAreDescribedByTheFormat) {
    std::istringstream in("A,B\n1,x\xC9y\n");
    CsvReader reader(
        in, CsvFormat{',', [](unsigned char byte) { return "not GBK: " + std::to_string(byte); }});
    CsvRecord record;
    try {
        static_cast<void>(reader.next(record));
        FAIL() << "accepted";
    } catch (const CsvError& e) {
        EXPECT_STREQ(e.what(), "line 2, column 2 (B): not GBK: 201");
    }
}

TEST(CsvReader, positionNamesTheLineWhereEachFieldStarts) {
    std::istringstream in("A,B,C\n1,2,3\n\"x\ny\",\"p\nq\",z\n");
    CsvReader reader(in);
    CsvRecord record;
    ASSERT_TRUE(reader.next(record));
    ASSERT_TRUE(reader.next(record));
    const CsvPosition expected[] = {{3, 1, "A"}, {4, 2, "B"}, {5, 3, "C"}};
    for (std::size_t i = 0; i < 3; ++i) {
        const CsvPosition p = reader.position(i);
        EXPECT_EQ(p.line, expected[i].line);
        EXPECT_EQ(p.column, expected[i].column);
        EXPECT_EQ(p.name, expected[i].name);
    }
    EXPECT_FALSE(reader.next(record));
}

// The reader takes the file in fixed-size pieces; a doubled quote, a CRLF, a
// closing quote or a character cut in two by a piece boundary must read as if
// whole, and so must a field longer than a piece.
TEST(CsvReader, tokensSplitAcrossReadsAreJoined) {
    const std::pair<std::string, std::string> tokens[] = {
        {"\"a\"\"b\"", "a\"b"}, {"\"a\"", "a"}, {"a", "a"}, {"\"\"", ""}, {"深沟", "深沟"}};
    const std::string longField(70000, 'y');
    for (const auto& [token, value] : tokens) {
        for (std::size_t padding = 65520; padding < 65536; ++padding) {
            SCOPED_TRACE(token + " after " + std::to_string(padding));
            const std::string pad(padding, 'x');
            const Contents contents =
                readAll("A,B\n" + pad + "," + token + "\r\n\"" + longField + "\",end\n");
            ASSERT_EQ(contents.records.size(), 2u);
            EXPECT_EQ(contents.records[0], (CsvRecord{pad, value}));
            EXPECT_EQ(contents.records[1], (CsvRecord{longField, "end"}));
        }
    }
}

// The message a parse throws, or "accepted" when it throws nothing.
template <typename Parse> std::string errorOf(Parse parse) {
    try {
        static_cast<void>(parse());
    } catch (const CsvError& e) {
        return e.what();
    }
    return "accepted";
}

TEST(ParseNumber, errorNamesPlaceAndValue) {
    EXPECT_EQ(errorOf([] {
                  return parseDouble("4x7", CsvPosition{5, 4, "WJIN"});
              }),
              "line 5, column 4 (WJIN): \"4x7\" is not a number");
    EXPECT_EQ(errorOf([] {
                  return parseLong("4x7", CsvPosition{5, 4, "ID"});
              }),
              "line 5, column 4 (ID): \"4x7\" is not a whole number");
}

TEST(ParseNumber, longValueIsCutShortInMessageOnCharacterBoundary) {
    std::string thirty;
    for (int i = 0; i < 30; ++i)
        thirty += "轴";
    // 40 bytes end inside the fourteenth character, so the quote keeps thirteen.
    const std::string thirteen = thirty.substr(0, 13 * 3);
    EXPECT_EQ(errorOf([&] {
                  return parseDouble(thirty, CsvPosition{2, 1, "A"});
              }),
              "line 2, column 1 (A): \"" + thirteen + "...\" is not a number");
}

TEST(ParseNumber, acceptsFiniteDecimalDoubles) {
    const std::pair<const char*, double> cases[] = {
        {"47", 47},
        {"47.5", 47.5},
        {"-0.1", -0.1},
        {"1e-7", 1e-7},
        {"1E3", 1000},
        {"2.5e+2", 250},
        {"+3", 3},
        {".5", 0.5},
        {"5.", 5},
        {"007", 7},
        {"123456789012345", 123456789012345.0},
    };
    for (const auto& [text, value] : cases)
        EXPECT_EQ(parseDouble(text, CsvPosition{2, 1, "A"}), value) << text;
}

TEST(ParseNumber, rejectsAnythingButAFiniteDecimalDouble) {
    const std::pair<const char*, const char*> cases[] = {
        {"", "is not a number"},
        {" 47", "is not a number"},
        {"47 ", "is not a number"},
        {"nan", "is not a number"},
        {"NaN", "is not a number"},
        {"inf", "is not a number"},
        {"-inf", "is not a number"},
        {"infinity", "is not a number"},
        {"0x1A", "is not a number"},
        {"0x1p3", "is not a number"},
        {"4x7", "is not a number"},
        {"1e", "is not a number"},
        {"1e+", "is not a number"},
        {"1.2.3", "is not a number"},
        {"--1", "is not a number"},
        {"+", "is not a number"},
        {".", "is not a number"},
        {"1,5", "is not a number"},
        {"e5", "is not a number"},
        {"１２", "is not a number"},
        {"1e999", "is out of range for a Double"},
        {"-1e999", "is out of range for a Double"},
    };
    for (const auto& [text, problem] : cases) {
        const std::string message = errorOf([text = text] {
            return parseDouble(text, CsvPosition{3, 2, "WJIN"});
        });
        EXPECT_EQ(message, "line 3, column 2 (WJIN): \"" + std::string(text) + "\" " + problem);
    }
}

TEST(ParseNumber, acceptsThirtyTwoBitLongs) {
    const std::pair<const char*, std::int32_t> cases[] = {
        {"0", 0},  {"-0", 0},  {"2147483647", 2147483647}, {"-2147483648", -2147483647 - 1},
        {"+7", 7}, {"007", 7},
    };
    for (const auto& [text, value] : cases)
        EXPECT_EQ(parseLong(text, CsvPosition{2, 1, "A"}), value) << text;
}

TEST(ParseNumber, rejectsAnythingButAThirtyTwoBitLong) {
    const std::string range = "is out of range for a Long (-2147483648 to 2147483647)";
    const std::pair<const char*, std::string> cases[] = {
        {"2147483648", range},
        {"-2147483649", range},
        {"99999999999999999999", range},
        {"4.5", "is not a whole number"},
        {"4.0", "is not a whole number"},
        {"1e3", "is not a whole number"},
        {" 1", "is not a whole number"},
        {"1 ", "is not a whole number"},
        {"", "is not a whole number"},
        {"-", "is not a whole number"},
        {"0x10", "is not a whole number"},
        {"+-1", "is not a whole number"},
    };
    for (const auto& [text, problem] : cases) {
        const std::string message = errorOf([text = text] {
            return parseLong(text, CsvPosition{3, 2, "ID"});
        });
        EXPECT_EQ(message, "line 3, column 2 (ID): \"" + std::string(text) + "\" " + problem);
    }
}

} // namespace
} // namespace bearing::cli
