// Tests of CsvWriter, alone and paired with CsvReader as export and import are.
#include "tools/catalog/csv_writer.h"

#include "tools/catalog/csv_reader.h"
#include "tools/catalog/decoding_buffer.h"

#include "tests/support/case_name.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <sstream>
#include <tuple>

namespace bearing::cli {
namespace {

std::string written(const CsvRecord& record) {
    std::ostringstream out;
    CsvWriter writer(out);
    writer.writeRecord(record);
    writer.flush();
    return out.str();
}

struct FieldCase {
    const char* name;
    CsvRecord record;
    std::string line;
};

// Names the case, not its bytes, in test listings and failures.
void PrintTo(const FieldCase& c, std::ostream* os) {
    *os << c.name;
}

class CsvWriterRecord : public testing::TestWithParam<FieldCase> {};

TEST_P(CsvWriterRecord, quotesOnlyWhatNeedsIt) {
    EXPECT_EQ(written(GetParam().record), GetParam().line);
}

INSTANTIATE_TEST_SUITE_P(
    Values, CsvWriterRecord,
    testing::Values(FieldCase{"plain", {"6204", "SKF"}, "6204,SKF\n"},
                    FieldCase{"nullIsEmptyUnquoted", {std::nullopt, "a", std::nullopt}, ",a,\n"},
                    FieldCase{"emptyTextIsQuoted", {"", std::nullopt}, "\"\",\n"},
                    FieldCase{"singleNullIsBlankLine", {std::nullopt}, "\n"},
                    FieldCase{"comma", {"1,5"}, "\"1,5\"\n"},
                    FieldCase{"quotesDoubled", {"say \"hi\""}, "\"say \"\"hi\"\"\"\n"},
                    FieldCase{"onlyQuotes", {"\"\""}, "\"\"\"\"\"\"\n"},
                    FieldCase{"lineFeed", {"a\nb"}, "\"a\nb\"\n"},
                    FieldCase{"carriageReturn", {"a\rb"}, "\"a\rb\"\n"},
                    FieldCase{"crLf", {"a\r\nb"}, "\"a\r\nb\"\n"},
                    FieldCase{"leadingSpace", {" 6204"}, "\" 6204\"\n"},
                    FieldCase{"trailingSpace", {"SKF "}, "\"SKF \"\n"},
                    FieldCase{"onlySpace", {" "}, "\" \"\n"},
                    FieldCase{"innerSpaceUnquoted", {"6204 2RS"}, "6204 2RS\n"},
                    FieldCase{"chineseUnquoted", {"深沟球轴承"}, "深沟球轴承\n"},
                    FieldCase{"leadingTabUnquoted", {"\tx"}, "\tx\n"}),
    bearing::test::CaseName());

TEST(CsvWriter, headerThenFieldByFieldRecords) {
    std::ostringstream out;
    {
        CsvWriter writer(out);
        writer.writeHeader({"newNO", "DZAO", "品牌"});
        writer.writeField("6204");
        writer.writeField(std::nullopt);
        writer.writeField("");
        writer.endRecord();
        writer.writeField(std::nullopt);
        writer.writeField(std::nullopt);
        writer.writeField("a,b");
        writer.endRecord();
    }
    EXPECT_EQ(out.str(), "newNO,DZAO,品牌\n6204,,\"\"\n,,\"a,b\"\n");
}

TEST(CsvWriter, flushReportsAFailedStream) {
    std::ostringstream out;
    out.setstate(std::ios::badbit);
    CsvWriter writer(out);
    writer.writeRecord({"x"});
    EXPECT_THROW(writer.flush(), std::runtime_error);
}

TEST(CsvWriter, otherSeparatorsQuoteThemselvesAndNotCommas) {
    for (const char delimiter : {'\t', ';'}) {
        std::ostringstream out;
        CsvWriter writer(out, delimiter);
        writer.writeRecord({"1,5", std::string("a") + delimiter + "b", std::nullopt, ""});
        writer.flush();
        EXPECT_EQ(out.str(), std::string("1,5") + delimiter + "\"a" + delimiter + "b\"" +
                                 delimiter + delimiter + "\"\"\n");
    }
}

TEST(CsvWriter, encodesTextAndMarksUtf16) {
    const std::pair<std::string, std::string> cases[] = {
        {"GB18030", "\xD6\xE1,\"a,b\"\n"},
        {"UTF-16LE", std::string("\xFF\xFE\x74\x8F,\0\"\0a\0,\0b\0\"\0\n\0", 18)},
        {"UTF-16BE", std::string("\xFE\xFF\x8F\x74\0,\0\"\0a\0,\0b\0\"\0\n", 18)},
    };
    for (const auto& [encoding, bytes] : cases) {
        std::ostringstream out;
        CsvWriter writer(out, ',', encoding);
        writer.writeRecord({"轴", "a,b"});
        writer.flush();
        EXPECT_EQ(out.str(), bytes) << encoding;
    }
}

TEST(CsvWriter, characterTheEncodingCannotHoldNamesRowAndCharacter) {
    std::ostringstream out;
    CsvWriter writer(out, ',', "GBK");
    writer.writeHeader({"A", "B"});
    writer.writeRecord({"深沟", "x"});
    try {
        writer.writeRecord({"6204", "SKF\xF0\x9F\x98\x80"});
        FAIL() << "accepted";
    } catch (const EncodingError& e) {
        EXPECT_STREQ(e.what(), "row 3 holds \"\xF0\x9F\x98\x80\" (U+1F600), which GBK cannot hold; "
                               "choose an --encoding that can, such as UTF-8 or GB18030");
    }
}

// Text already in the writer's form comes back byte for byte through import
// and export.
TEST(CsvRoundTrip, exportOfImportReproducesTheText) {
    const std::string texts[] = {
        "A\n",
        "A,B\n1,2\n",
        "A,B,C\n,\"\",x\n,,\n",
        "A\n\n\"\"\n",
        "型号,\"a,b\"\n\"深沟\n球\"\"轴承\"\"\",\" 6204\"\n",
        "A,B\n\"x\r\ny\",\"SKF \"\n",
    };
    for (const std::string& text : texts) {
        std::istringstream in(text);
        CsvReader reader(in);
        std::ostringstream out;
        CsvWriter writer(out);
        writer.writeHeader(reader.header());
        CsvRecord record;
        while (reader.next(record))
            writer.writeRecord(record);
        writer.flush();
        EXPECT_EQ(out.str(), text);
    }
}

// Fields assembled from the pieces that need care, including Null and empty
// text, over enough rows that both the writer's and the reader's buffers turn
// over many times.
class CsvEncodedRoundTrip : public testing::TestWithParam<std::tuple<std::string, char>> {};

TEST_P(CsvEncodedRoundTrip, importOfExportReproducesTheRecords) {
    const auto& [encoding, delimiter] = GetParam();
    const std::string pieces[] = {"6204",       ",",   "\"",  "\r\n", "\n",  "\r",   " ",
                                  "深沟球轴承", "SKF", "2RS", "\"\"", "a b", "1e-7", "滚"};
    const std::vector<std::string> header{"newNO", "oldNO", "DZAO", "WJIN", "品牌"};
    std::mt19937 random(20240611);
    std::uniform_int_distribution<int> pieceCount(-1, 4);
    std::uniform_int_distribution<std::size_t> piece(0, std::size(pieces) - 1);
    std::vector<CsvRecord> records(5000);
    for (CsvRecord& record : records) {
        for (std::size_t column = 0; column < header.size(); ++column) {
            const int count = pieceCount(random);
            if (count < 0) {
                record.emplace_back(std::nullopt);
                continue;
            }
            std::string text;
            for (int i = 0; i < count; ++i)
                text += pieces[piece(random)];
            record.emplace_back(std::move(text));
        }
    }

    std::ostringstream out;
    CsvWriter writer(out, delimiter, encoding);
    writer.writeHeader(header);
    for (const CsvRecord& record : records)
        writer.writeRecord(record);
    writer.flush();

    // Read back as import does: encoding and separator settled from the text.
    std::istringstream raw(out.str());
    EXPECT_EQ(detectEncoding(raw).name, encoding);
    raw.clear();
    raw.seekg(0);
    DecodingBuffer decoder(raw, encoding);
    std::istream in(&decoder);
    CsvReader reader(in, CsvFormat{'\0', {}});
    EXPECT_EQ(reader.delimiter(), delimiter);
    EXPECT_EQ(reader.header(), header);
    CsvRecord record;
    for (const CsvRecord& expected : records) {
        ASSERT_TRUE(reader.next(record));
        ASSERT_EQ(record, expected);
    }
    EXPECT_FALSE(reader.next(record));
}

INSTANTIATE_TEST_SUITE_P(EncodingsAndSeparators, CsvEncodedRoundTrip,
                         testing::Combine(testing::Values("UTF-8", "GB18030", "UTF-16LE",
                                                          "UTF-16BE"),
                                          testing::Values(',', '\t', ';')),
                         [](const auto& info) {
                             const char delimiter = std::get<1>(info.param);
                             std::string name =
                                 std::get<0>(info.param) + (delimiter == ','   ? "Comma"
                                                            : delimiter == ';' ? "Semicolon"
                                                                               : "Tab");
                             std::erase(name, '-');
                             return name;
                         });

} // namespace
} // namespace bearing::cli
