// bearing-catalog sql and export on files the database engine itself wrote,
// Jet 3 and Jet 4, with statements of the kinds the search makes: like on text,
// like and = on numbers stored as Byte, Long, Double, Currency and Decimal.
#include "tests/support/case_name.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <ostream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

const fs::path kData = fs::path(BEARING_SOURCE_DIR) / "tests" / "data" / "engine-written";

struct Outcome {
    int status = -1;
    std::string out;
    std::string err;
};

std::string readText(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

Outcome run(const std::vector<std::string>& args) {
    const fs::path dir =
        fs::temp_directory_path() / ("catalog_engine_written_" + std::to_string(::getpid()));
    fs::create_directories(dir);
    const fs::path out = dir / "stdout";
    const fs::path err = dir / "stderr";
    const pid_t pid = ::fork();
    if (pid == 0) {
        const int o = ::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int e = ::open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (o < 0 || e < 0 || ::dup2(o, 1) < 0 || ::dup2(e, 2) < 0)
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
    Outcome outcome{WIFEXITED(status) ? WEXITSTATUS(status) : -1, readText(out), readText(err)};
    fs::remove_all(dir);
    return outcome;
}

struct Statement {
    const char* name;
    const char* file;
    const char* statement;
    const char* rows; // the CSV after the header, "" for none
};

constexpr const char* kTable1Header = "A,B,C,D,E,F,G,H,I\n";
constexpr const char* kFullRow = "abcdefg,hijklmnop,2,222,333333333,444.555,1974-09-21,3.5,True\n";

void PrintTo(const Statement& s, std::ostream* os) {
    *os << s.file << ": " << s.statement;
}

class CatalogEngineWritten : public ::testing::TestWithParam<Statement> {};

TEST_P(CatalogEngineWritten, SqlFindsTheRowsTheEngineWould) {
    const Statement& s = GetParam();
    const fs::path file = kData / s.file;
    const Outcome r = run({"sql", "--db", file.string(), s.statement});
    EXPECT_EQ(r.status, 0) << r.err;
    const std::size_t lines =
        static_cast<std::size_t>(std::count(s.rows, s.rows + std::strlen(s.rows), '\n'));
    EXPECT_EQ(r.err, std::to_string(lines) + " records\n");
    const std::size_t header = r.out.find('\n');
    ASSERT_NE(header, std::string::npos) << r.out;
    EXPECT_EQ(r.out.substr(header + 1), s.rows);
}

INSTANTIATE_TEST_SUITE_P(
    Files, CatalogEngineWritten,
    ::testing::Values(
        Statement{"Jet4TextLike", "V2000-test.mdb", "select * from table1 where A like \"ABC%\"",
                  kFullRow},
        Statement{"Jet4LongAndDouble", "V2003-test.mdb",
                  "select * from Table1 where E = 333333333 and F like \"444.555\" and F = 444.555",
                  kFullRow},
        Statement{"Jet4DoubleLikeNeedsTheTextForm", "V2003-test.mdb",
                  "select * from Table1 where F like \"444.5550\"", ""},
        Statement{"Jet4ByteAndCurrency", "V2000-test.mdb",
                  "select * from Table1 where C = 2 and H like \"3.5\"", kFullRow},
        Statement{"Jet4DecimalEquals", "V2003-numeric.mdb",
                  "select * from test where col5 = 4 and col2 = 1", "some data,1,0,0,4,-1,1\n"},
        Statement{"Jet4DecimalLike", "V2000-numeric.mdb",
                  "select * from test where col6 like \"-1\"", "some data,1,0,0,4,-1,1\n"},
        Statement{"Jet4DecimalLikeWithoutTrailingZeros", "V2000-numeric.mdb",
                  "select * from test where col5 like \"4.0\"", ""},
        Statement{"Jet3Numbers", "V1997-test.mdb",
                  "select * from Table1 where E = 333333333 and F like \"444.555\" and H = 3.5",
                  kFullRow},
        Statement{"Jet3Order", "V1997-test.mdb", "select * from Table1 order by A desc",
                  "abcdefg,hijklmnop,2,222,333333333,444.555,1974-09-21,3.5,True\n"
                  "a,b,0,0,0,0,1981-12-12,0,False\n"},
        Statement{"Jet3ChineseText", "V1997-cp936.mdb",
                  "select * from 轴承表 where B like \"%沟球%\"",
                  "轴承620,深沟球620,2,222,333333333,444.555,1974-09-21,3.5,True\n"},
        Statement{"AutoNumberAndText", "creation-date-V2000.mdb",
                  "select * from Table1 where ID = 2 or Data like \"th%\"", "2,Two\n3,Three\n"}),
    bearing::test::CaseName());

TEST(CatalogEngineWrittenExport, ExportsJet3TextAsUtf8) {
    const Outcome r = run({"export", "--table", "轴承表", (kData / "V1997-cp936.mdb").string()});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, std::string(kTable1Header) + "a,b,0,0,0,0,1981-12-12,0,False\n" +
                         "轴承620,深沟球620,2,222,333333333,444.555,1974-09-21,3.5,True\n");
    EXPECT_EQ(r.err, "");
}

} // namespace
