// bearing-catalog import/export as a user runs them, checked against our
// reader and against mdbtools' own mdb-export.
#include "jet/jet_reader.h"
#include "platform/file_io.h"
#include "tools/catalog/csv_reader.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/wait.h>

using namespace bearing;
namespace fs = std::filesystem;

namespace {

struct CliResult {
    int status;
    std::string out;
};

CliResult runCatalog(const std::string& args) {
    // The messages checked here are the English ones, whatever the locale of the run.
    const std::string command = "env -u LC_ALL -u LC_MESSAGES LANG=C.UTF-8 " +
                                std::string(BEARING_CATALOG_EXE) + " " + args + " 2>&1";
    FILE* pipe = ::popen(command.c_str(), "r");
    std::string out;
    char buf[65536];
    std::size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, pipe)) > 0)
        out.append(buf, n);
    const int status = ::pclose(pipe);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, out};
}

std::string quoted(const fs::path& p) {
    return "'" + p.string() + "'";
}

class CatalogCli : public ::testing::Test {
  protected:
    void SetUp() override {
        m_dir = fs::temp_directory_path() /
                ("catalog_cli_" + std::to_string(::getpid()) + "_" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(m_dir);
        fs::create_directories(m_dir);
    }
    void TearDown() override { fs::remove_all(m_dir); }

    fs::path write(const std::string& name, const std::string& content) {
        std::ofstream(m_dir / name, std::ios::binary) << content;
        return m_dir / name;
    }

    fs::path m_dir;
};

std::vector<cli::CsvRecord> parseCsv(const std::string& text) {
    std::istringstream in(text);
    cli::CsvReader reader(in);
    std::vector<cli::CsvRecord> rows{{}};
    for (const auto& h : reader.header())
        rows[0].push_back(h);
    cli::CsvRecord r;
    while (reader.next(r))
        rows.push_back(r);
    return rows;
}

// A catalogue with everything that tends to go wrong: Chinese text, mixed
// case, Null next to empty text, awkward doubles, negative longs, a
// 255-character text and a 10,000-character one, and enough rows for
// hundreds of pages.
std::string tortureCsv() {
    std::string csv = "\xEF\xBB\xBFnewNO,oldNO,DZAO,WJIN,Qty,BTYPE,Note\r\n";
    csv += "6204-2RS,180204,SKF 6204-2RS1,47,12,深沟球轴承 0类,\"a, \"\"quoted\"\" note\"\r\n";
    csv += "nu204E,32204,\"\",47.5,-7,推力圆锥滚子轴承 ,\r\n";
    csv += "MiXeD,,fag 6204,0.1,0,\"\",\"two\nlines\"\r\n";
    csv += "tiny,,,1e-7,-2147483648,未知类型," + std::string(10000, 'w') + "\r\n";
    csv += "huge," + std::string(255, 'L') + ",,123456789012345,2147483647,关节轴承,x\r\n";
    for (int i = 0; i < 20000; ++i)
        csv += "6" + std::to_string(i) + "-ZZ,8" + std::to_string(i) + ",NSK 6" +
               std::to_string(i) + "ZZ," + std::to_string(10 + i % 300) + "." +
               std::to_string(i % 10) + "," + std::to_string(i) + ",深沟球轴承 0类,\r\n";
    return csv;
}

bool sameNumber(const std::string& a, const std::string& b) {
    char* ea = nullptr;
    char* eb = nullptr;
    const double x = std::strtod(a.c_str(), &ea);
    const double y = std::strtod(b.c_str(), &eb);
    return *ea == 0 && *eb == 0 && !a.empty() && x == y;
}

} // namespace

TEST_F(CatalogCli, ImportThenExportReproducesTheCsv) {
    const fs::path csv = write("in.csv", tortureCsv());
    const fs::path mdb = m_dir / "bde.mdb";
    const CliResult imported =
        runCatalog("import --double WJIN --long Qty " + quoted(csv) + " " + quoted(mdb));
    ASSERT_EQ(imported.status, 0) << imported.out;

    const auto original = parseCsv(tortureCsv());
    const CliResult exported = runCatalog("export " + quoted(mdb));
    ASSERT_EQ(exported.status, 0) << exported.out;
    const auto ours = parseCsv(exported.out);
    ASSERT_EQ(ours.size(), original.size());
    for (std::size_t r = 0; r < original.size(); ++r) {
        ASSERT_EQ(ours[r].size(), original[r].size()) << "row " << r;
        for (std::size_t c = 0; c < original[r].size(); ++c) {
            if (c == 3 && r > 0 && original[r][c] && ours[r][c])
                EXPECT_TRUE(sameNumber(*ours[r][c], *original[r][c]))
                    << *ours[r][c] << " vs " << *original[r][c];
            else
                EXPECT_EQ(ours[r][c], original[r][c]) << "row " << r << " column " << c;
        }
    }
    // Numbers come back in the engine's text form: 47 not 47.0, 1e-7 as 1E-07.
    EXPECT_EQ(*ours[1][3], "47");
    EXPECT_EQ(*ours[4][3], "1E-07");
    EXPECT_EQ(*ours[5][3], "123456789012345");
}

TEST_F(CatalogCli, MdbtoolsReadsWhatWeWrite) {
    if (std::system("command -v mdb-export >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "mdb-export not installed";
    const fs::path csv = write("in.csv", tortureCsv());
    const fs::path mdb = m_dir / "bde.mdb";
    ASSERT_EQ(
        runCatalog("import --working --double WJIN --long Qty " + quoted(csv) + " " + quoted(mdb))
            .status,
        0);

    FILE* pipe = ::popen(("mdb-tables -1 " + quoted(mdb)).c_str(), "r");
    char name[256] = {};
    ASSERT_TRUE(std::fgets(name, sizeof name, pipe));
    ::pclose(pipe);
    EXPECT_STREQ(name, "ZQbearing\n");

    std::string out;
    pipe = ::popen(("mdb-export " + quoted(mdb) + " ZQbearing").c_str(), "r");
    char buf[65536];
    std::size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, pipe)) > 0)
        out.append(buf, n);
    ASSERT_EQ(::pclose(pipe), 0);
    const auto theirs = parseCsv(out);
    const auto original = parseCsv(tortureCsv());
    ASSERT_EQ(theirs.size(), original.size());
    for (std::size_t r = 1; r < original.size(); ++r) {
        for (std::size_t c = 0; c < original[r].size(); ++c) {
            const std::string want = original[r][c].value_or("");
            // mdb-export writes empty text as it writes Null, and doubles its own way.
            const std::string got = theirs[r][c].value_or("");
            if (c == 3 || c == 4)
                EXPECT_TRUE(sameNumber(got, want)) << got << " vs " << want;
            else
                EXPECT_EQ(got, want) << "row " << r << " column " << c;
        }
    }
}

TEST_F(CatalogCli, SignatureOptionsChangeOnlyTheFirstSixteenBytes) {
    const fs::path csv = write("in.csv", "newNO,WJIN\n6204,47\n");
    ASSERT_EQ(runCatalog("import --working " + quoted(csv) + " " + quoted(m_dir / "w.mdb")).status,
              0);
    ASSERT_EQ(runCatalog("import " + quoted(csv) + " " + quoted(m_dir / "r.mdb")).status, 0);
    const auto working = readWholeFile(m_dir / "w.mdb");
    const auto atRest = readWholeFile(m_dir / "r.mdb");
    const std::string head(reinterpret_cast<const char*>(working.data()), 16);
    EXPECT_EQ(head, std::string("\0\1\0\0Standard Jet", 16));
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(atRest.data()), 16),
              std::string("\0\1\0\0standard jet", 16));
    ASSERT_EQ(working.size(), atRest.size());
    EXPECT_TRUE(std::equal(working.begin() + 16, working.end(), atRest.begin() + 16));
}

TEST_F(CatalogCli, BadInputNamesTheLineAndLeavesNoFile) {
    const struct {
        const char* csv;
        const char* options;
        const char* message;
    } cases[] = {
        {"a,b\n1,2\n3\n", "", "line 3"},
        {"a,WJIN\n1,47\n2,4x7\n", "--double WJIN", "line 3, column 2 (WJIN)"},
        {"a,b\n1,\xFF\n", "", "line 2, column 2"},
        {"a,A\n1,2\n", "", "line 1"},
        {"a,b\n1,2\n", "--long c", "--long"},
    };
    for (const auto& c : cases) {
        const fs::path csv = write("bad.csv", c.csv);
        const fs::path mdb = m_dir / "bad.mdb";
        const CliResult r =
            runCatalog(std::string("import ") + c.options + " " + quoted(csv) + " " + quoted(mdb));
        EXPECT_EQ(r.status, 1) << c.csv << r.out;
        EXPECT_NE(r.out.find(c.message), std::string::npos) << r.out;
        EXPECT_FALSE(fs::exists(mdb)) << c.csv;
    }
    // Nothing but the target is left in the folder: no temporary file either.
    EXPECT_EQ(std::distance(fs::directory_iterator(m_dir), fs::directory_iterator()), 1);
}

TEST_F(CatalogCli, ExistingFilesAreReplacedOnlyWithForce) {
    const fs::path csv = write("in.csv", "newNO\n6204\n");
    const fs::path mdb = write("bde.mdb", "keep me");
    const CliResult refused = runCatalog("import " + quoted(csv) + " " + quoted(mdb));
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.out.find("--force"), std::string::npos);
    EXPECT_EQ(readWholeFile(mdb).size(), 7u);
    EXPECT_EQ(runCatalog("import --force " + quoted(csv) + " " + quoted(mdb)).status, 0);
    JetDatabase db(readWholeFile(mdb));
    EXPECT_EQ(db.readTable("ZQbearing")->rowCount(), 1u);
}

TEST_F(CatalogCli, WrongArgumentsAndUnreadableFiles) {
    EXPECT_EQ(runCatalog("frobnicate").status, 2);
    EXPECT_EQ(runCatalog("import only-one.csv").status, 2);
    EXPECT_EQ(runCatalog("--help").status, 0);
    const CliResult missing = runCatalog("export " + quoted(m_dir / "missing.mdb"));
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.out.find("missing.mdb"), std::string::npos);
    const CliResult notDb = runCatalog("export " + quoted(write("x.mdb", std::string(20000, 'x'))));
    EXPECT_EQ(notDb.status, 1);
    const fs::path csv = write("in.csv", "newNO\n6204\n");
    ASSERT_EQ(runCatalog("import " + quoted(csv) + " " + quoted(m_dir / "t.mdb")).status, 0);
    const CliResult noTable = runCatalog("export --table other " + quoted(m_dir / "t.mdb"));
    EXPECT_EQ(noTable.status, 1);
    EXPECT_NE(noTable.out.find("ZQbearing"), std::string::npos);
}
