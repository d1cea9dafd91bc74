// Jet 4.0 files written by our writer and read back through libmdb; the
// reference file written by the database's maker; damaged files.
#include "jet/jet_reader.h"
#include "jet/jet_writer.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <optional>

using namespace bearing;

namespace {

std::vector<JetColumnSpec> catalogueSpec() {
    return {{"newNO", JetColumnType::Text},
            {"WJIN", JetColumnType::Double},
            {"Qty", JetColumnType::Long},
            {"Note", JetColumnType::Memo},
            {"BTYPE", JetColumnType::Text}};
}

std::string cellText(const Table& t, std::size_t row, std::size_t col) {
    const auto v = t.cell(row, col);
    return v ? std::string(*v) : std::string("<NULL>");
}

} // namespace

TEST(JetFile, ValuesSurviveWriteAndRead) {
    const std::string longText(255, 'L');
    const std::string memo = std::string(5000, 'm') + "长" + std::string(5000, 'n');
    const std::vector<std::vector<JetValue>> rows = {
        {std::string("6204-2RS"), 47.0, std::int32_t{12}, std::string("short memo"),
         std::string("深沟球轴承 0类")},
        {std::string("MiXeD case"), 47.5, std::int32_t{-7}, JetValue{},
         std::string("推力圆锥滚子轴承 ")},
        {std::string(""), 0.1, std::int32_t{0}, std::string(""), JetValue{}},
        {JetValue{}, 1e-7, std::int32_t{-2147483647 - 1}, memo, std::string("Ä ö ü")},
        {longText, 123456789012345.0, std::int32_t{2147483647}, std::string("x"), std::string("")},
        {std::string("\u4E00 low byte zero"), JetValue{}, JetValue{}, JetValue{}, std::string("😀")},
    };
    const std::vector<std::vector<std::string>> expected = {
        {"6204-2RS", "47", "12", "short memo", "深沟球轴承 0类"},
        {"MiXeD case", "47.5", "-7", "<NULL>", "推力圆锥滚子轴承 "},
        {"", "0.1", "0", "", "<NULL>"},
        {"<NULL>", "1E-07", "-2147483648", memo, "Ä ö ü"},
        {longText, "123456789012345", "2147483647", "x", ""},
        {"\u4E00 low byte zero", "<NULL>", "<NULL>", "<NULL>", "😀"},
    };
    JetWriter writer("ZQbearing", catalogueSpec());
    for (const auto& r : rows)
        writer.addRow(r);
    JetDatabase db(writer.finish(FileSignature::AtRest));
    EXPECT_EQ(db.tableNames(), std::vector<std::string>{"ZQbearing"});
    const auto table = db.readTable("zqBEARING");
    ASSERT_TRUE(table);
    ASSERT_EQ(table->rowCount(), expected.size());
    EXPECT_EQ(table->columns()[1].kind, ValueKind::Number);
    EXPECT_EQ(table->columns()[0].kind, ValueKind::Text);
    for (std::size_t r = 0; r < expected.size(); ++r)
        for (std::size_t c = 0; c < expected[r].size(); ++c)
            EXPECT_EQ(cellText(*table, r, c), expected[r][c]) << "row " << r << " column " << c;
    EXPECT_EQ(db.readTable("nosuchtable"), nullptr);
}

TEST(JetFile, YesNoMoneyDateAndBinaryColumnsSurviveWriteAndRead) {
    JetWriter writer("Odd", {{"Flag", JetColumnType::Boolean},
                             {"Price", JetColumnType::Currency},
                             {"Made", JetColumnType::DateTime},
                             {"Blob", JetColumnType::Binary},
                             {"Name", JetColumnType::Text}});
    const JetBytes allBytes{{0x00, 0xFF, 0x10, 0x7F}};
    std::string fullBlob;
    for (int i = 0; i < 255; ++i)
        fullBlob += "AB";
    const struct {
        std::vector<JetValue> values;
        std::vector<std::string> expected;
    } rows[] = {
        {{true, JetCurrency{123456}, 44532.0, allBytes, std::string("a")},
         {"True", "12.3456", "2021-12-02", "00FF107F", "a"}},
        {{false, JetCurrency{-5}, 44532.5, JetBytes{}, std::string("b")},
         {"False", "-0.0005", "2021-12-02 12:00:00", "", "b"}},
        {{JetValue{}, JetValue{}, JetValue{}, JetValue{}, JetValue{}},
         {"False", "<NULL>", "<NULL>", "<NULL>", "<NULL>"}},
        {{true, JetCurrency{std::numeric_limits<std::int64_t>::min()}, -1.25,
          JetBytes{std::vector<unsigned char>(255, 0xAB)}, std::string("")},
         {"True", "-922337203685477.5808", "1899-12-29 06:00:00", fullBlob, ""}},
        {{true, JetCurrency{std::numeric_limits<std::int64_t>::max()}, std::int32_t{0},
          JetBytes{{0x01}}, std::string("e")},
         {"True", "922337203685477.5807", "1899-12-30", "01", "e"}},
    };
    for (const auto& r : rows)
        writer.addRow(r.values);
    JetDatabase db(writer.finish(FileSignature::Working));
    const auto table = db.readTable("Odd");
    ASSERT_TRUE(table);
    ASSERT_EQ(table->rowCount(), std::size(rows));
    EXPECT_EQ(table->columns()[1].kind, ValueKind::Number);
    EXPECT_EQ(table->columns()[2].kind, ValueKind::Text);
    for (std::size_t r = 0; r < std::size(rows); ++r)
        for (std::size_t c = 0; c < rows[r].expected.size(); ++c)
            EXPECT_EQ(cellText(*table, r, c), rows[r].expected[c])
                << "row " << r << " column " << c;
}

TEST(JetFile, WriterRejectsValuesOfTheWrongKindForTheNewerColumnTypes) {
    JetWriter writer("T", {{"Flag", JetColumnType::Boolean},
                           {"Price", JetColumnType::Currency},
                           {"Made", JetColumnType::DateTime},
                           {"Blob", JetColumnType::Binary}});
    const std::vector<JetValue> good{true, JetCurrency{1}, 1.0, JetBytes{}};
    for (std::size_t column = 0; column < good.size(); ++column) {
        for (const JetValue& wrong :
             {JetValue{std::string("1")}, JetValue{JetBytes{{1}}}, JetValue{false}}) {
            if (wrong.index() == good[column].index())
                continue;
            std::vector<JetValue> row = good;
            row[column] = wrong;
            EXPECT_THROW(writer.addRow(row), std::invalid_argument)
                << "column " << column << " kind " << wrong.index();
        }
    }
    std::vector<JetValue> tooLong = good;
    tooLong[3] = JetBytes{std::vector<unsigned char>(256, 1)};
    EXPECT_THROW(writer.addRow(tooLong), std::invalid_argument);
    EXPECT_EQ(writer.rowCount(), 0u);
}

// Large tables are read in two halves at once; every row must come back in file order, long
// values and Nulls included, and damage in either half must fail the whole read.
TEST(JetFile, LargeTablesSpanManyPagesAndKeepRowOrder) {
    // Enough rows for well over 512 data pages, past what an inline usage map covers.
    constexpr int kRows = 60000;
    JetWriter writer("Big", {{"Id", JetColumnType::Long},
                             {"Model", JetColumnType::Text},
                             {"Brand", JetColumnType::Text},
                             {"Note", JetColumnType::Memo}});
    const auto note = [](int i) -> std::optional<std::string> {
        if (i % 7 == 0)
            return std::nullopt;
        return std::string(i % 1000 == 1 ? 5000 : 3, static_cast<char>('a' + i % 26));
    };
    const auto brand = [](int i) {
        return std::string(i % 2 ? "SKF 6204-2RS1 轴承" : "NSK 6204DDU");
    };
    for (int i = 0; i < kRows; ++i)
        writer.addRow({std::int32_t{i}, std::string("6204-2RS/C3 #") + std::to_string(i), brand(i),
                       note(i) ? JetValue{*note(i)} : JetValue{}});
    const auto image = writer.finish(FileSignature::Working);
    ASSERT_GT(image.size() / 4096, 600u);
    JetDatabase db(image);
    const auto table = db.readTable("big");
    ASSERT_TRUE(table);
    ASSERT_EQ(table->rowCount(), static_cast<std::size_t>(kRows));
    for (int i = 0; i < kRows; ++i) {
        ASSERT_EQ(cellText(*table, i, 0), std::to_string(i));
        ASSERT_EQ(cellText(*table, i, 1), "6204-2RS/C3 #" + std::to_string(i)) << i;
        ASSERT_EQ(cellText(*table, i, 2), brand(i)) << i;
        ASSERT_EQ(cellText(*table, i, 3), note(i).value_or("<NULL>")) << i;
    }

    for (const std::size_t cut : {image.size() / 4, image.size() * 3 / 4}) {
        const std::vector<unsigned char> truncated(image.begin(),
                                                   image.begin() + cut / 4096 * 4096);
        EXPECT_THROW((void)JetDatabase(truncated).readTable("big"), JetFormatError) << cut;
    }
}

TEST(JetFile, SignaturesDifferOnlyInTheFirstSixteenBytes) {
    auto build = [](FileSignature s) {
        JetWriter writer("ZQbearing", catalogueSpec());
        writer.addRow(
            {std::string("6204"), 47.0, std::int32_t{1}, std::string("m"), std::string("t")});
        return writer.finish(s);
    };
    const auto working = build(FileSignature::Working);
    const auto atRest = build(FileSignature::AtRest);
    ASSERT_EQ(working.size(), atRest.size());
    EXPECT_TRUE(std::equal(kWorkingSignature.begin(), kWorkingSignature.end(), working.begin()));
    EXPECT_TRUE(std::equal(kAtRestSignature.begin(), kAtRestSignature.end(), atRest.begin()));
    EXPECT_TRUE(std::equal(working.begin() + 16, working.end(), atRest.begin() + 16));
}

TEST(JetFile, WriterRejectsValuesThatDoNotFit) {
    JetWriter writer("T", catalogueSpec());
    EXPECT_THROW(
        writer.addRow({std::string(256, 'x'), 1.0, std::int32_t{1}, JetValue{}, JetValue{}}),
        std::invalid_argument);
    EXPECT_THROW(writer.addRow({std::string("a"), std::string("47"), std::int32_t{1}, JetValue{},
                                JetValue{}}),
                 std::invalid_argument);
    EXPECT_THROW(writer.addRow({std::string("too few")}), std::invalid_argument);
    EXPECT_THROW(JetWriter("T", {{"a", JetColumnType::Text}, {"A", JetColumnType::Long}}),
                 std::invalid_argument);
    EXPECT_EQ(writer.rowCount(), 0u);
}

TEST(JetFile, ReadsTheFileWrittenByTheDatabaseMaker) {
    const std::filesystem::path ref = std::filesystem::path(BEARING_SOURCE_DIR) / "tests" / "data" /
                                      "engine-written" / "access-written-jet4.mdb";
    std::ifstream in(ref, std::ios::binary);
    JetDatabase db(std::vector<unsigned char>(std::istreambuf_iterator<char>(in), {}));
    const auto table = db.readTable("DATETEST");
    ASSERT_TRUE(table);
    ASSERT_EQ(table->rowCount(), 6u);
    EXPECT_EQ(table->columns()[0].name, "IDCol");
    EXPECT_EQ(cellText(*table, 0, 0), "1");
    EXPECT_EQ(cellText(*table, 0, 1), "2021-12-02");
    EXPECT_EQ(cellText(*table, 1, 4), "Year 9999");
    EXPECT_EQ(cellText(*table, 1, 5), "Year 1999");
    EXPECT_EQ(cellText(*table, 5, 4), "New line\r\nin field");
}

TEST(JetFile, TableNamesLongerThanLibmdbsNameBufferAreListedAndReadWhole) {
    // 120 Chinese characters are 360 bytes of UTF-8; libmdb keeps 256.
    std::string name;
    for (int i = 0; i < 120; ++i)
        name += "轴";
    JetWriter writer(name, {{"A", JetColumnType::Text}});
    writer.addRow({std::string("x")});
    JetDatabase db(writer.finish(FileSignature::Working));
    EXPECT_EQ(db.tableNames(), std::vector<std::string>{name});
    const auto table = db.readTable(name);
    ASSERT_TRUE(table);
    EXPECT_EQ(table->name(), name);
    EXPECT_EQ(cellText(*table, 0, 0), "x");
}

TEST(JetFile, RowCountInTheDefinitionIsOnlyAHint) {
    JetWriter writer("ZQbearing", catalogueSpec());
    writer.addRow({std::string("6204"), 47.0, std::int32_t{1}, std::string("m"), std::string("t")});
    auto image = writer.finish(FileSignature::Working);
    // The user table's definition is page 5; its row count sits at offset 16.
    for (const std::uint32_t claimed : {0u, 0x7FFFFFFFu, 0xFFFFFFFFu}) {
        SCOPED_TRACE(claimed);
        for (int i = 0; i < 4; ++i)
            image[5 * 4096 + 16 + i] = static_cast<unsigned char>(claimed >> (8 * i));
        JetDatabase db(image);
        const auto table = db.readTable("ZQbearing");
        ASSERT_TRUE(table);
        ASSERT_EQ(table->rowCount(), 1u);
        EXPECT_EQ(cellText(*table, 0, 0), "6204");
    }
}

TEST(JetFile, DefinitionsLeadingOutsideTheirPagesFailClearly) {
    JetWriter writer("ZQbearing", catalogueSpec());
    writer.addRow({std::string("6204"), 47.0, std::int32_t{1}, std::string("m"), std::string("t")});
    const auto good = writer.finish(FileSignature::Working);
    const std::size_t pages = good.size() / 4096;
    // The user table's definition is page 5: next-page link at 4, column count at 45.
    auto patched = [&](std::size_t offset, std::uint32_t value, int bytes) {
        auto bad = good;
        for (int i = 0; i < bytes; ++i)
            bad[5 * 4096 + offset + i] = static_cast<unsigned char>(value >> (8 * i));
        return bad;
    };
    const struct {
        const char* what;
        std::vector<unsigned char> image;
        const char* message;
    } cases[] = {
        {"link beyond the file", patched(4, static_cast<std::uint32_t>(pages) + 7, 4),
         "定义续页指向第"},
        {"link to a data page", patched(4, 6, 4), "定义续页无效（第 6 页）"},
        {"link to itself", patched(4, 5, 4), "定义续页形成了循环"},
        {"more columns than the page holds", patched(45, 2000, 2), "定义不完整"},
        {"a column name running off the page", patched(63 + 5 * 25, 0xFFFF, 2), "定义不完整"},
    };
    for (const auto& c : cases) {
        try {
            JetDatabase db(c.image);
            (void)db.readTable("ZQbearing");
            ADD_FAILURE() << c.what << ": no failure reported";
        } catch (const JetFormatError& e) {
            const std::string message = e.what();
            EXPECT_NE(message.find("表“ZQbearing”的"), std::string::npos)
                << c.what << ": " << message;
            EXPECT_NE(message.find(c.message), std::string::npos) << c.what << ": " << message;
        }
    }
}

TEST(JetFile, DamagedFilesFailClearly) {
    JetWriter writer("ZQbearing", catalogueSpec());
    for (int i = 0; i < 3000; ++i)
        writer.addRow({std::string("6204-") + std::to_string(i), 47.0, std::int32_t{i},
                       std::string(i % 100 == 0 ? 9000 : 10, 'm'), std::string("深沟球轴承 0类")});
    const auto good = writer.finish(FileSignature::Working);

    auto truncated = [&](std::size_t size) {
        return std::vector<unsigned char>(good.begin(), good.begin() + size);
    };
    auto withVersion = [&](unsigned char v) {
        auto bad = good;
        bad[0x14] = v;
        return bad;
    };
    const std::string text = "newNO,oldNO\n6204,204\n";
    const struct {
        const char* what;
        std::vector<unsigned char> image;
    } cases[] = {
        {"empty", {}},
        {"zeros", std::vector<unsigned char>(16 * 4096, 0)},
        {"text", std::vector<unsigned char>(text.begin(), text.end())},
        {"cut inside a page", truncated(good.size() - 100)},
        {"cut to a few pages", truncated(8 * 4096)},
        {"cut in half", truncated(good.size() / 2 / 4096 * 4096)},
        {"Jet 3 version byte", withVersion(0)},
        {"unknown version byte", withVersion(7)},
    };
    for (const auto& c : cases) {
        try {
            JetDatabase db(c.image);
            (void)db.readTable("ZQbearing");
            ADD_FAILURE() << c.what << ": no failure reported";
        } catch (const JetFormatError& e) {
            EXPECT_FALSE(std::string(e.what()).empty()) << c.what;
        }
    }
}
