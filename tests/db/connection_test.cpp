// The catalogue connection: reading its connection text, refusing what it cannot open, and its
// tables.
#include "db/connection.h"
#include "jet/jet_writer.h"

#include "tests/support/case_name.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

using namespace bearing;
namespace fs = std::filesystem;

namespace {

// The catalogue's own connection text, with the space before the semicolon.
constexpr const char* kCatalogueText =
    "provider=Microsoft.Jet.OLEDB.4.0;Data Source=bde.mdb ;Persist Security Info=false";

std::vector<unsigned char> smallCatalogue(FileSignature signature,
                                          const std::string& model = "6204") {
    JetWriter writer("ZQbearing", {{"newNO", JetColumnType::Text}, {"WJIN", JetColumnType::Long}});
    writer.addRow({model, std::int32_t{47}});
    writer.addRow({std::string("6205"), std::int32_t{52}});
    return writer.finish(signature);
}

class ConnectionFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        m_dir = fs::temp_directory_path() /
                ("connection_test_" + std::to_string(::getpid()) + "_" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(m_dir);
        fs::create_directories(m_dir);
    }
    void TearDown() override { fs::remove_all(m_dir); }

    fs::path write(const std::string& name, const std::vector<unsigned char>& bytes) {
        std::ofstream out(m_dir / name, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
        return m_dir / name;
    }

    static Connection connectionTo(const fs::path& file) {
        Connection c;
        c.setConnectionText("provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + file.string() +
                            " ;Persist Security Info=false");
        return c;
    }

    // The message connect() fails with; an empty string when it did not fail.
    static std::string connectFailure(Connection& c) {
        try {
            c.connect();
        } catch (const ConnectionError& e) {
            EXPECT_FALSE(c.connected());
            return e.what();
        }
        return {};
    }

    fs::path m_dir;
};

} // namespace

struct TextCase {
    const char* name;
    const char* text;
    const char* provider;
    const char* dataSource;
};

class ConnectionTextTest : public ::testing::TestWithParam<TextCase> {};

TEST_P(ConnectionTextTest, NamesProviderAndDataSource) {
    Connection c;
    c.setConnectionText(GetParam().text);
    EXPECT_EQ(c.connectionText(), GetParam().text);
    EXPECT_EQ(c.provider(), GetParam().provider);
    EXPECT_EQ(c.dataSource(), GetParam().dataSource);
}

INSTANTIATE_TEST_SUITE_P(
    Connection, ConnectionTextTest,
    ::testing::Values(
        TextCase{"CatalogueText", kCatalogueText, "Microsoft.Jet.OLEDB.4.0", "bde.mdb"},
        TextCase{"KeysInOtherCase", "PROVIDER=Microsoft.Jet.OLEDB.4.0;DATA SOURCE=bde.mdb",
                 "Microsoft.Jet.OLEDB.4.0", "bde.mdb"},
        TextCase{"SpacesAroundKeysAndValues",
                 "  Provider =  Microsoft.Jet.OLEDB.4.0 ; data source =  x y.mdb  ;",
                 "Microsoft.Jet.OLEDB.4.0", "x y.mdb"},
        TextCase{"KeysInAnyOrder",
                 "Data Source=a.mdb;Mode=Share Deny None;Provider=Microsoft.Jet.OLEDB.4.0",
                 "Microsoft.Jet.OLEDB.4.0", "a.mdb"},
        TextCase{"DataSourceMissing",
                 "provider=Microsoft.Jet.OLEDB.4.0;Persist Security Info=false",
                 "Microsoft.Jet.OLEDB.4.0", ""},
        TextCase{"Empty", "", "", ""},
        TextCase{"PairWithoutEqualsIsSkipped", "garbage;Data Source=b.mdb", "", "b.mdb"}),
    bearing::test::CaseName());

TEST_F(ConnectionFileTest, MissingFileFailsNamingItAndIsNotCreated) {
    const fs::path file = m_dir / "bde.mdb";
    Connection c = connectionTo(file);
    const std::string message = connectFailure(c);
    EXPECT_NE(message.find("找不到"), std::string::npos) << message;
    EXPECT_NE(message.find(file.string()), std::string::npos) << message;
    EXPECT_FALSE(fs::exists(file));
}

TEST_F(ConnectionFileTest, EachUnusableFileFailsWithItsOwnReason) {
    std::vector<unsigned char> text(4096, 'x');
    const std::string hello = "hello, this is a text file and no database\n";
    std::copy(hello.begin(), hello.end(), text.begin());

    std::vector<unsigned char> truncated = smallCatalogue(FileSignature::Working);
    truncated.resize(truncated.size() / 2 + 100);

    std::vector<unsigned char> shortHeader(kWorkingSignature.begin(),
                                           kWorkingSignature.begin() + 10);

    fs::create_directories(m_dir / "folder.mdb");
    const struct {
        const char* name;
        fs::path file;
        const char* word; // what tells this failure apart from the others
    } cases[] = {
        {"directory", m_dir / "folder.mdb", "文件夹"},
        {"at rest", write("rest.mdb", smallCatalogue(FileSignature::AtRest)), "封存"},
        {"text file", write("text.mdb", text), "不是 Jet 数据库"},
        {"shorter than a header", write("short.mdb", shortHeader), "不是 Jet 数据库"},
        {"truncated", write("cut.mdb", truncated), "截断"},
        {"empty", write("empty.mdb", {}), "不是 Jet 数据库"},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.name);
        Connection c = connectionTo(k.file);
        const std::string message = connectFailure(c);
        EXPECT_NE(message.find(k.word), std::string::npos) << message;
        EXPECT_NE(message.find(k.file.string()), std::string::npos) << message;
    }
}

TEST_F(ConnectionFileTest, UnknownProviderOrNoDataSourceIsRefusedBeforeTheFileIsRead) {
    const fs::path file = write("bde.mdb", smallCatalogue(FileSignature::Working));
    Connection c;
    c.setConnectionText("Provider=SQLOLEDB;Data Source=" + file.string());
    std::string message = connectFailure(c);
    EXPECT_NE(message.find("SQLOLEDB"), std::string::npos) << message;
    EXPECT_NE(message.find("Microsoft.Jet.OLEDB.4.0"), std::string::npos) << message;

    c.setConnectionText("Data Source=" + file.string());
    message = connectFailure(c);
    EXPECT_NE(message.find("数据提供程序"), std::string::npos) << message;

    c.setConnectionText("Provider=microsoft.jet.oledb.4.0");
    message = connectFailure(c);
    EXPECT_NE(message.find("Data Source"), std::string::npos) << message;
}

TEST_F(ConnectionFileTest, ProviderNameIgnoresCase) {
    const fs::path file = write("bde.mdb", smallCatalogue(FileSignature::Working));
    Connection c;
    c.setConnectionText("provider=MICROSOFT.JET.OLEDB.4.0;data source=" + file.string());
    EXPECT_NO_THROW(c.connect());
    EXPECT_TRUE(c.connected());
}

TEST_F(ConnectionFileTest, WorkingFileConnectsAndConnectingAgainIsHarmless) {
    const fs::path file = write("bde.mdb", smallCatalogue(FileSignature::Working));
    Connection c = connectionTo(file);
    EXPECT_FALSE(c.connected());
    ASSERT_NO_THROW(c.connect());
    EXPECT_TRUE(c.connected());
    const auto first = c.table("ZQbearing");
    ASSERT_NE(first, nullptr);
    ASSERT_NO_THROW(c.connect());
    EXPECT_TRUE(c.connected());
    EXPECT_EQ(c.table("ZQbearing"), first);
}

TEST_F(ConnectionFileTest, CatalogueTextResolvesAgainstTheCurrentDirectory) {
    write("bde.mdb", smallCatalogue(FileSignature::Working));
    const fs::path previous = fs::current_path();
    fs::current_path(m_dir);
    Connection c;
    c.setConnectionText(kCatalogueText);
    std::string message;
    try {
        c.connect();
    } catch (const ConnectionError& e) {
        message = e.what();
    }
    fs::current_path(previous);
    EXPECT_EQ(message, "");
    EXPECT_TRUE(c.connected());
}

TEST_F(ConnectionFileTest, TableNamesIgnoreCaseAndUnknownTablesAreNull) {
    const fs::path file = write("bde.mdb", smallCatalogue(FileSignature::Working));
    Connection c = connectionTo(file);
    c.connect();
    const auto table = c.table("zqBEARING");
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->rowCount(), 2u);
    EXPECT_EQ(table->name(), "ZQbearing");
    EXPECT_EQ(c.table("zqbearing"), table);
    EXPECT_EQ(c.table("ZQBEARING"), table);
    EXPECT_EQ(c.table("nosuch"), nullptr);
    EXPECT_EQ(c.table("ZQbearing "), nullptr);
}

TEST_F(ConnectionFileTest, TableAfterDisconnectFailsClearly) {
    const fs::path file = write("bde.mdb", smallCatalogue(FileSignature::Working));
    Connection c = connectionTo(file);
    c.disconnect(); // disconnecting what was never connected does nothing
    EXPECT_THROW((void)c.table("ZQbearing"), ConnectionError);
    c.connect();
    c.disconnect();
    EXPECT_FALSE(c.connected());
    try {
        (void)c.table("ZQbearing");
        ADD_FAILURE() << "table() on a disconnected connection should fail";
    } catch (const ConnectionError& e) {
        EXPECT_NE(std::string(e.what()).find("没有打开"), std::string::npos) << e.what();
    }
}

// A search run seals and replaces the file while the connection holds it.
TEST_F(ConnectionFileTest, FileIsReadWholeSoItsLaterFateDoesNotReachAnOpenConnection) {
    const fs::path file = write("bde.mdb", smallCatalogue(FileSignature::Working, "6204"));
    Connection c = connectionTo(file);
    c.connect();
    fs::remove(file);
    const auto table = c.table("ZQbearing");
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->cell(0, 0), "6204");
}

TEST_F(ConnectionFileTest, ReconnectingReadsTheFileAnew) {
    const fs::path file = write("bde.mdb", smallCatalogue(FileSignature::Working, "6204"));
    Connection c = connectionTo(file);
    c.connect();
    EXPECT_EQ(c.table("ZQbearing")->cell(0, 0), "6204");
    write("bde.mdb", smallCatalogue(FileSignature::Working, "7204"));
    c.connect(); // still connected: nothing is re-read
    EXPECT_EQ(c.table("ZQbearing")->cell(0, 0), "6204");
    c.disconnect();
    c.connect();
    EXPECT_EQ(c.table("ZQbearing")->cell(0, 0), "7204");
}

TEST_F(ConnectionFileTest, FailedConnectLeavesAnEarlierConnectionAloneWhenAlreadyConnected) {
    const fs::path file = write("bde.mdb", smallCatalogue(FileSignature::Working));
    Connection c = connectionTo(file);
    c.connect();
    // The new text only matters for the next connection.
    c.setConnectionText("provider=Microsoft.Jet.OLEDB.4.0;Data Source=" +
                        (m_dir / "missing.mdb").string());
    EXPECT_NO_THROW(c.connect());
    EXPECT_NE(c.table("ZQbearing"), nullptr);
    c.disconnect();
    EXPECT_THROW(c.connect(), ConnectionError);
}

// A file cut at a page boundary passes the header checks; losing pages must
// never yield a table with rows silently missing.
TEST_F(ConnectionFileTest, FileCutAtAPageBoundaryNeverYieldsAPartialTable) {
    std::vector<unsigned char> image = smallCatalogue(FileSignature::Working);
    ASSERT_EQ(image.size() % 4096, 0u);
    for (std::size_t pages = image.size() / 4096 - 1; pages >= 3; --pages) {
        SCOPED_TRACE(pages);
        image.resize(pages * 4096);
        Connection c = connectionTo(write("cut.mdb", image));
        try {
            c.connect();
            EXPECT_EQ(c.table("ZQbearing"), nullptr);
        } catch (const ConnectionError& e) {
            EXPECT_NE(std::string(e.what()).find("cut.mdb"), std::string::npos) << e.what();
        }
    }
}
