// The result set over a catalogue file: its statement text, open/close, rows that outlive the file,
// search statements, sorting.
#include "db/connection.h"
#include "db/result_set.h"
#include "search/search_sql.h"
#include "sql/sql_error.h"
#include "tests/support/catalogue_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <unistd.h>
#include <utility>
#include <vector>

using namespace bearing;
namespace fs = std::filesystem;

namespace {

using Names = std::vector<std::string>;

// Rows out of order, so that "order by newno" shows; WJIN is a Long (100 would
// sort first as text), NJIN a Double, GDU text. In newno order:
// 16204 30204 6204 6204-2RS 6204-Z 6205 K9 N204 T204 T205.
std::vector<unsigned char> catalogueImage() {
    using namespace test;
    const std::vector<CatalogueRow> rows{
        {text("6205"), text("205"), text("SKF 6205"), whole(52), 25.0, text("15"),
         text("深沟球轴承 0类")},
        {text("6204-2RS"), text("180204"), text("NSK 6204DDU"), whole(47), 20.0, text("14"),
         text("深沟球轴承 0类")},
        {text("6204"), text("204"), text("SKF 6204"), whole(47), 20.0, text("14"),
         text("深沟球轴承 0类")},
        {text("16204"), null, text("SKF 16204"), whole(40), 20.0, text("7"),
         text("深沟球轴承 0类")},
        {text("6204-Z"), text("6204Z"), text("SKF 6204-Z"), whole(47), 20.0, text("14"),
         text("深沟球轴承 0类")},
        {text("30204"), text("7204"), text("TORRINGTON 30204"), whole(47), 20.0, text("15.25"),
         text("圆锥滚子轴承 7类")},
        {text("T204"), null, text("TORRINGTON FAFNIR T204"), whole(47), 20.0, text("14"),
         text("推力圆锥滚子轴承 ")},
        {text("T205"), null, text("TORR T205"), whole(100), 25.0, text("15"),
         text("推力球轴承 8类")},
        {text("N204"), text("46204"), text("NSK N204"), whole(47), 20.0, text("14"),
         text("圆柱滚子轴承 2类")},
        {text("K9"), null, text("KOYO 6204K9"), whole(47), 17.5, text("14"),
         text("深沟球轴承 0类")},
    };
    return test::catalogueImage(rows, kMixedDimensions, FileSignature::Working);
}

// Search inputs spelled out field by field; every field not named stays
// empty, and the mode stays "no entry selected".
class Inputs {
  public:
    Inputs model(std::string text, int mode) const {
        Inputs next = *this;
        next.m_criteria.modelText = std::move(text);
        next.m_criteria.searchMode = mode;
        return next;
    }
    Inputs mode(int mode) const { return with(&SearchCriteria::searchMode, mode); }
    Inputs outer(std::string text) const {
        return with(&SearchCriteria::outerDiameter, std::move(text));
    }
    Inputs inner(std::string text) const {
        return with(&SearchCriteria::innerDiameter, std::move(text));
    }
    Inputs height(std::string text) const { return with(&SearchCriteria::height, std::move(text)); }
    Inputs brand(std::string text) const { return with(&SearchCriteria::brand, std::move(text)); }
    Inputs type(std::string text) const { return with(&SearchCriteria::type, std::move(text)); }
    operator SearchCriteria() const { return m_criteria; }

  private:
    template <typename T> Inputs with(T SearchCriteria::*field, T value) const {
        Inputs next = *this;
        next.m_criteria.*field = std::move(value);
        return next;
    }
    SearchCriteria m_criteria;
};

const Names kAllInNewnoOrder{"16204", "30204", "6204", "6204-2RS", "6204-Z",
                             "6205",  "K9",    "N204", "T204",     "T205"};

class ResultSetTest : public ::testing::Test {
  protected:
    void SetUp() override {
        m_dir = fs::temp_directory_path() /
                ("result_set_test_" + std::to_string(::getpid()) + "_" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(m_dir);
        fs::create_directories(m_dir);
        m_file = m_dir / "bde.mdb";
        const auto image = catalogueImage();
        test::writeFile(m_file, image);
        m_connection.setConnectionText("provider=Microsoft.Jet.OLEDB.4.0;Data Source=" +
                                       m_file.string() + " ;Persist Security Info=false");
    }
    void TearDown() override { fs::remove_all(m_dir); }

    Names newNumbers() const {
        Names names;
        const int column = m_rs.table().findColumn("newNO");
        EXPECT_GE(column, 0);
        for (std::size_t r = 0; r < m_rs.recordCount(); ++r)
            names.emplace_back(m_rs.value(r, static_cast<std::size_t>(column)).value_or("<NULL>"));
        return names;
    }

    void openListAll() {
        m_rs.setStatementLines({"SELECT * FROM zqBEARING ORDER BY NEWNO"});
        m_rs.open();
    }

    fs::path m_dir;
    fs::path m_file;
    Connection m_connection;
    ResultSet m_rs{m_connection};
};

} // namespace

TEST_F(ResultSetTest, StatementTextEndsEveryLineWithCrLf) {
    EXPECT_EQ(m_rs.statementText(), "");
    m_rs.setStatementLines({"select * from zqbearing where ", "", "order by newno"});
    EXPECT_EQ(m_rs.statementText(), "select * from zqbearing where \r\n\r\norder by newno\r\n");
    m_rs.setStatementLines({"SELECT * FROM zqBEARING ORDER BY NEWNO"});
    EXPECT_EQ(m_rs.statementText(), "SELECT * FROM zqBEARING ORDER BY NEWNO\r\n");
    EXPECT_EQ(m_rs.statementLines(), Names{"SELECT * FROM zqBEARING ORDER BY NEWNO"});
}

TEST_F(ResultSetTest, OpenConnectsFirstAndLoadsEveryRow) {
    ASSERT_FALSE(m_connection.connected());
    EXPECT_FALSE(m_rs.isOpen());
    openListAll();
    EXPECT_TRUE(m_connection.connected());
    EXPECT_TRUE(m_rs.isOpen());
    EXPECT_EQ(m_rs.recordCount(), 10u);
    EXPECT_EQ(newNumbers(), kAllInNewnoOrder);
    // Values in the engine's text form; a Null stays distinct from empty text.
    EXPECT_EQ(m_rs.value(0, 1), std::nullopt);
    EXPECT_EQ(m_rs.value(0, 3), "40");
    EXPECT_EQ(m_rs.value(6, 4), "17.5");
    EXPECT_EQ(m_rs.value(8, 6), "推力圆锥滚子轴承 ");
}

TEST_F(ResultSetTest, OpeningAnOpenSetDoesNothing) {
    openListAll();
    m_rs.setSortExpression("WJIN DESC");
    const Names sorted = newNumbers();
    // Neither the connection nor the file is needed again.
    m_connection.disconnect();
    fs::remove(m_file);
    EXPECT_NO_THROW(m_rs.open());
    EXPECT_FALSE(m_connection.connected());
    EXPECT_EQ(newNumbers(), sorted);
    EXPECT_EQ(m_rs.sortExpression(), "WJIN DESC");
}

TEST_F(ResultSetTest, SettingTheStatementClosesTheSet) {
    openListAll();
    m_rs.setSortExpression("WJIN ASC");
    m_rs.setStatementLines(BuildSearchSql(Inputs().model("6204", 1)));
    EXPECT_FALSE(m_rs.isOpen());
    EXPECT_EQ(m_rs.recordCount(), 0u);
    EXPECT_EQ(m_rs.sortExpression(), "");
    m_rs.open();
    EXPECT_EQ(newNumbers(), (Names{"16204", "6204", "6204-2RS", "6204-Z"}));
}

TEST_F(ResultSetTest, CloseDropsRowsAndSortExpression) {
    openListAll();
    m_rs.setSortExpression("NJIN DESC");
    m_rs.close();
    EXPECT_FALSE(m_rs.isOpen());
    EXPECT_EQ(m_rs.recordCount(), 0u);
    EXPECT_EQ(m_rs.sortExpression(), "");
    EXPECT_NO_THROW(m_rs.close());
    // The statement survives a close: reopening runs it again.
    m_rs.open();
    EXPECT_EQ(newNumbers(), kAllInNewnoOrder);
    EXPECT_EQ(m_rs.sortExpression(), "");
}

TEST_F(ResultSetTest, RowsOutliveTheConnectionAndTheFile) {
    openListAll();
    m_connection.disconnect();
    EXPECT_TRUE(m_rs.isOpen());
    EXPECT_EQ(newNumbers(), kAllInNewnoOrder);
    fs::remove(m_file);
    EXPECT_TRUE(m_rs.isOpen());
    EXPECT_EQ(m_rs.recordCount(), 10u);
    EXPECT_EQ(m_rs.value(9, 2), "TORR T205");
    // Sorting works on the loaded rows alone.
    m_rs.setSortExpression("WJIN DESC");
    EXPECT_EQ(newNumbers().front(), "T205");
}

TEST_F(ResultSetTest, ListenerHearsEveryChangeOfRowsOrOrder) {
    int changes = 0;
    m_rs.setChangeListener([&] { ++changes; });
    openListAll();
    EXPECT_EQ(changes, 1);
    m_rs.open();
    EXPECT_EQ(changes, 1);
    m_rs.setSortExpression("WJIN ASC");
    EXPECT_EQ(changes, 2);
    EXPECT_THROW(m_rs.setSortExpression("WJIN UP"), StatementError);
    EXPECT_EQ(changes, 2);
    m_rs.close();
    EXPECT_EQ(changes, 3);
    m_rs.close();
    EXPECT_EQ(changes, 3);
}

// The search's cases live beside the statement builder; here the statements it builds run over a
// file whose dimensions are stored as a Long (WJIN), a Double (NJIN) and text (GDU), each compared
// through its text form.
TEST_F(ResultSetTest, BuiltStatementsMatchStoredNumbersAndTextThroughTheirTextForm) {
    const struct {
        SearchCriteria criteria;
        Names newNumbers;
    } cases[] = {
        {Inputs().model("6204", 1).outer("47").brand("SKF"), {"6204", "6204-Z"}},
        {Inputs().outer("4"), {}},
        {Inputs().inner("17.5"), {"K9"}},
        {Inputs().inner("20.0"), {}},
        {Inputs().height("15.25"), {"30204"}},
        {Inputs().type("推力圆锥滚子轴承 "), {"T204"}},
        {Inputs().model("6204", 3), {"16204", "6204", "6204-2RS", "6204-Z", "K9"}},
        {Inputs().mode(3), kAllInNewnoOrder},
    };
    for (const auto& c : cases) {
        m_rs.setStatementLines(BuildSearchSql(c.criteria));
        ASSERT_NO_THROW(m_rs.open()) << m_rs.statementText();
        EXPECT_EQ(newNumbers(), c.newNumbers) << m_rs.statementText();
    }
}

TEST_F(ResultSetTest, StatementWithoutConditionFailsWithTheEnginesMessage) {
    m_rs.setStatementLines(BuildSearchSql(Inputs().model("6204", -1)));
    ASSERT_EQ(m_rs.statementText(), "select * from zqbearing where \r\n\r\norder by newno\r\n");
    try {
        m_rs.open();
        ADD_FAILURE() << "a statement without a condition should be rejected";
    } catch (const StatementError& e) {
        EXPECT_NE(std::string(e.what()).find("WHERE 之后缺少条件"), std::string::npos) << e.what();
    }
    EXPECT_FALSE(m_rs.isOpen());
    EXPECT_EQ(m_rs.recordCount(), 0u);
}

TEST_F(ResultSetTest, OpenOnAMissingFileFailsWithTheConnectionsMessage) {
    fs::remove(m_file);
    m_rs.setStatementLines({"SELECT * FROM zqBEARING ORDER BY NEWNO"});
    EXPECT_THROW(m_rs.open(), ConnectionError);
    EXPECT_FALSE(m_rs.isOpen());
}

TEST_F(ResultSetTest, SortExpressionReordersLoadedRowsWithTiesInStatementOrder) {
    openListAll();
    EXPECT_EQ(m_rs.sortExpression(), "");
    const struct {
        const char* expression;
        Names order;
    } steps[] = {
        {"WJIN ASC",
         {"16204", "30204", "6204", "6204-2RS", "6204-Z", "K9", "N204", "T204", "6205", "T205"}},
        {"WJIN DESC",
         {"T205", "6205", "30204", "6204", "6204-2RS", "6204-Z", "K9", "N204", "T204", "16204"}},
        {"NJIN ASC",
         {"K9", "16204", "30204", "6204", "6204-2RS", "6204-Z", "N204", "T204", "6205", "T205"}},
        {"oldNO DESC",
         {"30204", "6204-Z", "N204", "6205", "6204", "6204-2RS", "16204", "K9", "T204", "T205"}},
        {"btype ASC",
         {"N204", "30204", "T204", "T205", "16204", "6204", "6204-2RS", "6204-Z", "6205", "K9"}},
        {"", kAllInNewnoOrder},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.expression);
        m_rs.setSortExpression(step.expression);
        EXPECT_TRUE(m_rs.isOpen());
        EXPECT_EQ(m_rs.sortExpression(), step.expression);
        EXPECT_EQ(newNumbers(), step.order);
    }
}

TEST_F(ResultSetTest, SortExpressionReadsBackExactlyAsSet) {
    openListAll();
    m_rs.setSortExpression("wjin DESC");
    EXPECT_EQ(m_rs.sortExpression(), "wjin DESC");
    EXPECT_EQ(newNumbers().front(), "T205");
}

TEST_F(ResultSetTest, InvalidSortExpressionIsRefusedAndChangesNothing) {
    openListAll();
    m_rs.setSortExpression("WJIN DESC");
    const Names before = newNumbers();
    const struct {
        const char* expression;
        const char* reason;
    } cases[] = {
        {"WJIN", "应为列名"},
        {"WJIN UP", "ASC 或 DESC"},
        {"nosuch ASC", "找不到列 \"nosuch\""},
        {"WJIN  ASC", "应为列名"},
        {" ASC", "应为列名"},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.expression);
        try {
            m_rs.setSortExpression(k.expression);
            ADD_FAILURE() << "expression accepted";
        } catch (const StatementError& e) {
            const std::string message = e.what();
            EXPECT_NE(message.find(std::string("\"") + k.expression + "\""), std::string::npos)
                << message;
            EXPECT_NE(message.find(k.reason), std::string::npos) << message;
        }
        EXPECT_TRUE(m_rs.isOpen());
        EXPECT_EQ(m_rs.sortExpression(), "WJIN DESC");
        EXPECT_EQ(newNumbers(), before);
    }
}

TEST_F(ResultSetTest, EmptySortExpressionRestoresStatementOrder) {
    openListAll();
    m_rs.setSortExpression("");
    EXPECT_EQ(m_rs.sortExpression(), "");
    EXPECT_EQ(newNumbers(), kAllInNewnoOrder);
    m_rs.setSortExpression("WJIN DESC");
    m_rs.setSortExpression("");
    EXPECT_EQ(newNumbers(), kAllInNewnoOrder);
}

TEST_F(ResultSetTest, SortingAClosedSetFails) {
    EXPECT_THROW(m_rs.setSortExpression("WJIN ASC"), StatementError);
    openListAll();
    m_rs.close();
    EXPECT_THROW(m_rs.setSortExpression("WJIN ASC"), StatementError);
    EXPECT_EQ(m_rs.sortExpression(), "");
}

TEST_F(ResultSetTest, NewOpenStartsInStatementOrderWithNoExpression) {
    openListAll();
    m_rs.setSortExpression("WJIN DESC");
    m_rs.setStatementLines(BuildSearchSql(Inputs().outer("47")));
    m_rs.open();
    EXPECT_EQ(m_rs.sortExpression(), "");
    EXPECT_EQ(newNumbers(), (Names{"30204", "6204", "6204-2RS", "6204-Z", "K9", "N204", "T204"}));
    // Also when the same statement is closed and opened again.
    m_rs.setSortExpression("NJIN ASC");
    m_rs.close();
    m_rs.open();
    EXPECT_EQ(m_rs.sortExpression(), "");
    EXPECT_EQ(newNumbers().front(), "30204");
}
