// bearing-catalog query and sql run as a user runs them, in a directory holding a catalogue file.
#include "jet/file_signature.h"
#include "jet/jet_writer.h"

#include "tests/support/case_name.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

using namespace bearing;
namespace fs = std::filesystem;

namespace {

using Bytes = std::vector<unsigned char>;

struct Outcome {
    int status = -1;
    std::string out;
    std::string err;
};

std::string readText(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

Bytes readBytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeBytes(const fs::path& file, const Bytes& bytes) {
    std::ofstream(file, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

// Columns out of grid order and two the grid does not show, so that query has
// to pick and order its seven while sql prints them all.
Bytes catalogue(FileSignature signature) {
    JetWriter writer("ZQbearing", {{"ID", JetColumnType::Long},
                                   {"newNO", JetColumnType::Text},
                                   {"DZAO", JetColumnType::Text},
                                   {"oldNO", JetColumnType::Text},
                                   {"WJIN", JetColumnType::Double},
                                   {"NJIN", JetColumnType::Double},
                                   {"GDU", JetColumnType::Double},
                                   {"BTYPE", JetColumnType::Text},
                                   {"Remark", JetColumnType::Text}});
    const JetValue null;
    auto s = [](const char* text) { return JetValue{std::string(text)}; };
    auto id = [](int v) { return JetValue{std::int32_t{v}}; };
    const JetValue deepGroove = s("深沟球轴承 0类");
    const std::vector<std::vector<JetValue>> rows{
        {id(1), s("6204"), s("SKF 6204"), s("204"), 47.0, 20.0, 14.0, deepGroove, s("常用")},
        {id(2), s("6204-2RS"), s("NSK 6204DDU"), s("180204"), 47.0, 20.0, 14.0, deepGroove, null},
        {id(3), s("6204-Z"), s("SKF 6204-Z"), s("60204"), 47.0, 20.0, 14.0, deepGroove, null},
        {id(4), s("16204"), s("SKF 16204"), null, 40.0, 20.0, 7.0, deepGroove, null},
        {id(5), s("6204-RS"), s("SKF 6204-RSH, \"C3\""), s(""), 47.0, 20.0, 14.0, deepGroove, null},
        {id(6), s("6205"), s("SKF 6205"), s("205"), 52.0, 25.0, 15.0, deepGroove, null},
    };
    for (const auto& row : rows)
        writer.addRow(row);
    return writer.finish(signature);
}

bool startsWith(const Bytes& bytes, const SignatureBytes& signature) {
    return bytes.size() >= signature.size() &&
           std::equal(signature.begin(), signature.end(), bytes.begin());
}

class CatalogQuery : public ::testing::Test {
  protected:
    void SetUp() override {
        // A parameterised test's name holds a '/', which would leave its parent folder behind.
        std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        std::replace(name.begin(), name.end(), '/', '_');
        m_root = fs::temp_directory_path() /
                 ("catalog_query_" + std::to_string(::getpid()) + "_" + name);
        fs::remove_all(m_root);
        m_dir = m_root / "work";
        fs::create_directories(m_dir);
    }
    void TearDown() override { fs::remove_all(m_root); }

    // Runs bearing-catalog in the work directory; its output goes to files
    // beside it, so the directory holds only what the program leaves there.
    Outcome run(const std::vector<std::string>& args) const {
        const fs::path out = m_root / "stdout";
        const fs::path err = m_root / "stderr";
        const pid_t pid = ::fork();
        if (pid == 0) {
            const int o = ::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            const int e = ::open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            if (o < 0 || e < 0 || ::dup2(o, 1) < 0 || ::dup2(e, 2) < 0 ||
                ::chdir(m_dir.c_str()) != 0)
                ::_exit(127);
            std::vector<char*> argv{const_cast<char*>(BEARING_CATALOG_EXE)};
            for (const auto& a : args)
                argv.push_back(const_cast<char*>(a.c_str()));
            argv.push_back(nullptr);
            ::execv(BEARING_CATALOG_EXE, argv.data());
            ::_exit(127);
        }
        int status = 0;
        ::waitpid(pid, &status, 0);
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, readText(out), readText(err)};
    }

    std::set<std::string> filesLeft() const {
        std::set<std::string> names;
        for (const auto& entry : fs::directory_iterator(m_dir))
            names.insert(entry.path().filename().string());
        return names;
    }

    fs::path m_root;
    fs::path m_dir;
};

constexpr const char* kHeader = "newNO,oldNO,DZAO,WJIN,NJIN,GDU,BTYPE\n";

} // namespace

struct PrintSqlCase {
    const char* name;
    std::vector<std::string> args;
    const char* statement;
};

class CatalogPrintSql : public CatalogQuery, public ::testing::WithParamInterface<PrintSqlCase> {};

TEST_P(CatalogPrintSql, PrintsTheStatementAsTheEngineReceivesIt) {
    std::vector<std::string> args{"query"};
    args.insert(args.end(), GetParam().args.begin(), GetParam().args.end());
    args.emplace_back("--print-sql");
    const Outcome r = run(args);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, GetParam().statement);
    EXPECT_EQ(r.err, "");
    // Printing the statement needs no catalogue and leaves nothing behind.
    EXPECT_TRUE(filesLeft().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Catalog, CatalogPrintSql,
    ::testing::Values(
        PrintSqlCase{"WorkedExample",
                     {"--model", "6204", "--outer", "47", "--brand", "SKF"},
                     "select * from zqbearing where \r\n"
                     " (newno like \"%6204%\" )and wjin like \"47\" and DZAO LIKE \"SKF %\" \r\n"
                     "order by newno\r\n"},
        PrintSqlCase{"ListAll", {}, "SELECT * FROM zqBEARING ORDER BY NEWNO\r\n"},
        PrintSqlCase{"OnlyOuterDiameter",
                     {"--outer", "47"},
                     "select * from zqbearing where \r\n wjin like \"47\" \r\norder by newno\r\n"},
        PrintSqlCase{"ModelWithoutMode",
                     {"--mode", "-1", "--model", "6204"},
                     "select * from zqbearing where \r\n\r\norder by newno\r\n"},
        PrintSqlCase{"TypeKeepsItsTrailingSpace",
                     {"--type", "推力圆锥滚子轴承 "},
                     "select * from zqbearing where \r\n btype =\"推力圆锥滚子轴承 \" \r\norder by "
                     "newno\r\n"}),
    bearing::test::CaseName());

TEST_F(CatalogQuery, WorkedExampleListsTheMatchingRowsAndSealsTheFileAgain) {
    for (const FileSignature signature : {FileSignature::AtRest, FileSignature::Working}) {
        SCOPED_TRACE(signature == FileSignature::AtRest ? "at rest" : "working");
        const Bytes original = catalogue(signature);
        writeBytes(m_dir / "bde.mdb", original);
        const Outcome r = run({"query", "--model", "6204", "--outer", "47", "--brand", "SKF"});
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.out, std::string(kHeader) +
                             "6204,204,SKF 6204,47,20,14,深沟球轴承 0类\n"
                             "6204-RS,\"\",\"SKF 6204-RSH, \"\"C3\"\"\",47,20,14,深沟球轴承 0类\n"
                             "6204-Z,60204,SKF 6204-Z,47,20,14,深沟球轴承 0类\n");
        EXPECT_EQ(r.err, "轴承信息查询结果：3条记录相符\n");
        EXPECT_EQ(filesLeft(), std::set<std::string>{"bde.mdb"});
        EXPECT_EQ(readBytes(m_dir / "bde.mdb"), catalogue(FileSignature::AtRest));
    }
}

TEST_F(CatalogQuery, SortReordersTheRowsAndNoMatchStillSucceeds) {
    writeBytes(m_dir / "bde.mdb", catalogue(FileSignature::AtRest));
    Outcome r = run({"query", "--brand", "SKF", "--sort", "WJIN DESC"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, std::string(kHeader) +
                         "6205,205,SKF 6205,52,25,15,深沟球轴承 0类\n"
                         "6204,204,SKF 6204,47,20,14,深沟球轴承 0类\n"
                         "6204-RS,\"\",\"SKF 6204-RSH, \"\"C3\"\"\",47,20,14,深沟球轴承 0类\n"
                         "6204-Z,60204,SKF 6204-Z,47,20,14,深沟球轴承 0类\n"
                         "16204,,SKF 16204,40,20,7,深沟球轴承 0类\n");
    EXPECT_EQ(r.err, "轴承信息查询结果：5条记录相符\n");

    r = run({"query", "--model", "9999"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, kHeader);
    EXPECT_EQ(r.err, "轴承信息查询结果：0条记录相符\n");
    EXPECT_TRUE(startsWith(readBytes(m_dir / "bde.mdb"), kAtRestSignature));
}

TEST_F(CatalogQuery, RejectedStatementFailsAndLeavesTheFileUnsealed) {
    writeBytes(m_dir / "bde.mdb", catalogue(FileSignature::AtRest));
    const Outcome r = run({"query", "--mode", "-1", "--model", "6204"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("a condition is missing after WHERE"), std::string::npos) << r.err;
    EXPECT_EQ(r.err.find("条记录相符"), std::string::npos) << r.err;
    // The run ends at the statement: nothing seals the file or removes the copy.
    EXPECT_TRUE(startsWith(readBytes(m_dir / "bde.mdb"), kWorkingSignature));
    EXPECT_EQ(readBytes(m_dir / "temp.mdb"), catalogue(FileSignature::AtRest));
}

TEST_F(CatalogQuery, InvalidSortFailsAfterTheSearchHasSealedTheFile) {
    writeBytes(m_dir / "bde.mdb", catalogue(FileSignature::AtRest));
    const Outcome r = run({"query", "--model", "6204", "--sort", "WJIN UP"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("\"WJIN UP\""), std::string::npos) << r.err;
    EXPECT_EQ(filesLeft(), std::set<std::string>{"bde.mdb"});
    EXPECT_EQ(readBytes(m_dir / "bde.mdb"), catalogue(FileSignature::AtRest));
}

TEST_F(CatalogQuery, MissingCatalogueShowsTheConnectionFailureThenFails) {
    const Outcome r = run({"query", "--model", "6204"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    const auto failure = r.err.find("A fatal error occurred opening the database!");
    const auto reason = r.err.find("bde.mdb");
    ASSERT_NE(failure, std::string::npos) << r.err;
    ASSERT_NE(reason, std::string::npos) << r.err;
    EXPECT_LT(failure, reason) << r.err;
    EXPECT_TRUE(filesLeft().empty());
}

TEST_F(CatalogQuery, CatalogueWithoutOneOfTheSevenColumnsFailsNamingFileAndColumn) {
    JetWriter writer("ZQbearing", {{"newNO", JetColumnType::Text},
                                   {"oldNO", JetColumnType::Text},
                                   {"DZAO", JetColumnType::Text},
                                   {"NJIN", JetColumnType::Double},
                                   {"GDU", JetColumnType::Double},
                                   {"BTYPE", JetColumnType::Text}});
    writer.addRow({std::string("6204"), std::string("204"), std::string("SKF 6204"), 20.0, 14.0,
                   std::string("深沟球轴承 0类")});
    writeBytes(m_dir / "bde.mdb", writer.finish(FileSignature::AtRest));
    const Outcome r = run({"query", "--model", "6204"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(
        r.err.find(
            "Table \"ZQbearing\" of the database file \"bde.mdb\" lacks the columns \"WJIN\""),
        std::string::npos)
        << r.err;
}

TEST_F(CatalogQuery, SqlPrintsEveryColumnOfAWorkingFileAndTouchesNothing) {
    const Bytes original = catalogue(FileSignature::Working);
    const fs::path file = m_root / "other.mdb";
    writeBytes(file, original);
    Outcome r = run(
        {"sql", "--db", file.string(), "select * from ZQBEARING where wjin like \"52\" or id = 1"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "ID,newNO,DZAO,oldNO,WJIN,NJIN,GDU,BTYPE,Remark\n"
                     "1,6204,SKF 6204,204,47,20,14,深沟球轴承 0类,常用\n"
                     "6,6205,SKF 6205,205,52,25,15,深沟球轴承 0类,\n");
    EXPECT_EQ(r.err, "2 records\n");
    EXPECT_EQ(readBytes(file), original);

    // Without --db it reads bde.mdb in the current directory.
    writeBytes(m_dir / "bde.mdb", original);
    r = run({"sql", "SELECT * FROM zqBEARING ORDER BY NEWNO"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "6 records\n");
    EXPECT_EQ(readBytes(m_dir / "bde.mdb"), original);
    EXPECT_EQ(filesLeft(), std::set<std::string>{"bde.mdb"});
}

TEST_F(CatalogQuery, SqlOnAFileAtRestFails) {
    const Bytes original = catalogue(FileSignature::AtRest);
    const fs::path file = m_dir / "bde.mdb";
    writeBytes(file, original);
    const Outcome r = run({"sql", "--db", file.string(), "SELECT * FROM zqBEARING ORDER BY NEWNO"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("a file at rest"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find(file.string()), std::string::npos) << r.err;
    EXPECT_EQ(readBytes(file), original);
}
