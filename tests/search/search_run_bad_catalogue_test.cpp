// Search runs over catalogue files that cannot serve a search: each fails naming the file and
// what is wrong with it, and the file changes in its first 16 bytes at most.
#include "sql/sql_error.h"
#include "tests/search/search_run_fixture.h"

#include "tests/support/case_name.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

using namespace bearing;
using namespace bearing::search_test;
namespace fs = std::filesystem;

namespace {

// The seven search columns, with one of them replaced, dropped or renamed.
struct Layout {
    std::string table = "ZQbearing";
    std::vector<JetColumnSpec> columns{
        {"newNO", JetColumnType::Text},  {"oldNO", JetColumnType::Text},
        {"DZAO", JetColumnType::Text},   {"WJIN", JetColumnType::Double},
        {"NJIN", JetColumnType::Double}, {"GDU", JetColumnType::Double},
        {"BTYPE", JetColumnType::Text}};

    Layout& retype(const std::string& name, JetColumnType type) {
        for (auto& c : columns)
            if (c.name == name)
                c.type = type;
        return *this;
    }
    Layout& drop(const std::string& name) {
        std::erase_if(columns, [&](const JetColumnSpec& c) { return c.name == name; });
        return *this;
    }
};

JetValue sampleValue(JetColumnType type) {
    switch (type) {
    case JetColumnType::Boolean:
        return true;
    case JetColumnType::Long:
        return std::int32_t{47};
    case JetColumnType::Currency:
        return JetCurrency{470000};
    case JetColumnType::Double:
        return 47.0;
    case JetColumnType::DateTime:
        return 44532.0;
    case JetColumnType::Binary:
        return JetBytes{{0x36, 0x32}};
    case JetColumnType::Text:
    case JetColumnType::Memo:
        return std::string("6204");
    }
    return {};
}

Bytes fileWith(const Layout& layout) {
    JetWriter writer(layout.table, layout.columns);
    std::vector<JetValue> row;
    for (const auto& c : layout.columns)
        row.push_back(sampleValue(c.type));
    writer.addRow(row);
    return writer.finish(FileSignature::AtRest);
}

struct BadCatalogue {
    const char* name;
    std::function<Bytes()> make;
    std::vector<std::string> messageParts;
};

class BadCatalogueTest : public SearchRunTest,
                         public ::testing::WithParamInterface<BadCatalogue> {};

TEST_P(BadCatalogueTest, RunFailsNamingTheFileAndWhatIsWrongAndOnlyTheSignatureChanges) {
    const BadCatalogue& c = GetParam();
    const Bytes original = c.make();
    writeBytes(kCatalogueFile, original);

    SearchCriteria criteria;
    criteria.outerDiameter = "47";
    std::string message;
    try {
        run(criteria);
        FAIL() << "the run should fail";
    } catch (const std::exception& e) {
        message = e.what();
    }
    EXPECT_NE(message.find("“bde.mdb”"), std::string::npos) << message;
    for (const std::string& part : c.messageParts)
        EXPECT_NE(message.find(part), std::string::npos) << message << "\nlacks: " << part;

    EXPECT_TRUE(m_view.captions.empty());
    EXPECT_FALSE(m_resultSet.isOpen());
    // The guard's working signature is all that was written; the copy taken
    // before unsealing is the file as it was.
    const Bytes after = readWholeFile(kCatalogueFile);
    EXPECT_EQ(head(after), signature(FileSignature::Working));
    EXPECT_EQ(tail(after), tail(original));
    EXPECT_EQ(readWholeFile(kTemporaryFile), original);
    EXPECT_FALSE(present(kLockFile));
}

INSTANTIATE_TEST_SUITE_P(
    Files, BadCatalogueTest,
    ::testing::Values(
        BadCatalogue{"NoSearchTable",
                     [] { return fileWith(Layout{.table = "Bearings"}); },
                     {"没有表“ZQbearing”"}},
        BadCatalogue{
            "NoOuterDiameter", [] { return fileWith(Layout{}.drop("WJIN")); }, {"缺少列“WJIN”"}},
        BadCatalogue{"NoOuterDiameterNorType",
                     [] { return fileWith(Layout{}.drop("WJIN").drop("BTYPE")); },
                     {"缺少列“WJIN”、“BTYPE”"}},
        BadCatalogue{"DateDiameter",
                     [] { return fileWith(Layout{}.retype("WJIN", JetColumnType::DateTime)); },
                     {"列“WJIN”", "日期/时间"}},
        BadCatalogue{"YesNoType",
                     [] { return fileWith(Layout{}.retype("BTYPE", JetColumnType::Boolean)); },
                     {"列“BTYPE”", "是/否"}},
        BadCatalogue{"BinaryBrandModel",
                     [] { return fileWith(Layout{}.retype("DZAO", JetColumnType::Binary)); },
                     {"列“DZAO”", "二进制"}}),
    bearing::test::CaseName());

TEST_F(SearchRunTest, ColumnsStoredAsLongCurrencyAndMemoServeASearch) {
    // The import writes whole-number columns as Long and long text as Memo; a
    // catalogue kept in the database's own application may hold a dimension
    // as Currency, whose text form (47, 47.5) matches as a Double's does.
    writeBytes(kCatalogueFile, fileWith(Layout{}
                                            .retype("WJIN", JetColumnType::Long)
                                            .retype("GDU", JetColumnType::Currency)
                                            .retype("BTYPE", JetColumnType::Memo)
                                            .retype("oldNO", JetColumnType::Memo)));
    SearchCriteria criteria;
    criteria.outerDiameter = "47";
    criteria.height = "47";
    run(criteria);
    EXPECT_EQ(m_view.captions, std::vector<std::string>{"轴承信息查询结果：1条记录相符"});
    EXPECT_EQ(columnOf(m_resultSet, "WJIN"), std::vector<std::string>{"47"});
    EXPECT_EQ(columnOf(m_resultSet, "GDU"), std::vector<std::string>{"47"});
}

TEST_F(SearchRunTest, DirectoryInPlaceOfTheCatalogueFailsNamingItAndCreatesNothing) {
    fs::create_directory(kCatalogueFile);
    try {
        run(byNewModel("6204"));
        FAIL() << "the run should fail";
    } catch (const FileError& e) {
        EXPECT_NE(std::string(e.what()).find((fs::current_path() / kCatalogueFile).string()),
                  std::string::npos)
            << e.what();
    }
    EXPECT_TRUE(fs::is_directory(kCatalogueFile));
    EXPECT_TRUE(fs::is_empty(kCatalogueFile));
    EXPECT_FALSE(present(kTemporaryFile));
}

} // namespace
