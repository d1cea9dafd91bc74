// Tests of the bearing-catalog command-line parser.
#include "tools/catalog/options.h"

#include "tools/catalog/language.h"

#include "tests/support/case_name.h"

#include <gtest/gtest.h>

namespace bearing::cli {
namespace {

ImportOptions import(std::string csv, std::string mdb) {
    ImportOptions o;
    o.csvPath = std::move(csv);
    o.mdbPath = std::move(mdb);
    return o;
}

struct GoodCase {
    const char* name;
    std::vector<std::string> args;
    CommandLine expected;
};

// Names the case, not its bytes, in test listings and failures.
void PrintTo(const GoodCase& c, std::ostream* os) {
    *os << c.name;
}

CommandLine everyImportOption() {
    ImportOptions o = import("a.csv", "b.mdb");
    o.table = "Other";
    o.doubleColumns = {"WJIN", "NJIN"};
    o.longColumns = {"ID"};
    o.signature = Signature::Working;
    o.force = true;
    return o;
}

CommandLine repeatedColumnLists() {
    ImportOptions o = import("a.csv", "b.mdb");
    o.doubleColumns = {"WJIN", "NJIN", "GDU"};
    return o;
}

CommandLine everyQueryOption() {
    QueryOptions o;
    o.mode = 0;
    o.model = " 6204";
    o.outer = "47";
    o.inner = "20";
    o.height = "14";
    o.brand = "";
    o.type = "深沟球轴承";
    o.sort = "WJIN DESC";
    o.printSql = true;
    return o;
}

CommandLine queryMode(int mode) {
    QueryOptions o;
    o.mode = mode;
    return o;
}

CommandLine importText(std::string encoding, char delimiter) {
    ImportOptions o = import("a.csv", "b.mdb");
    o.encoding = std::move(encoding);
    o.delimiter = delimiter;
    return o;
}

CommandLine exportOf(std::string table, std::string mdb) {
    ExportOptions o;
    o.table = std::move(table);
    o.mdbPath = std::move(mdb);
    return o;
}

CommandLine exportText(std::string encoding, char delimiter) {
    ExportOptions o = std::get<ExportOptions>(exportOf("ZQbearing", "b.mdb"));
    o.encoding = std::move(encoding);
    o.delimiter = delimiter;
    return o;
}

CommandLine querySort(std::string sort) {
    QueryOptions o;
    o.sort = std::move(sort);
    return o;
}

class ParseCommandLineGood : public testing::TestWithParam<GoodCase> {};

TEST_P(ParseCommandLineGood, givesTheCommandsOptions) {
    EXPECT_TRUE(parseCommandLine(GetParam().args) == GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, ParseCommandLineGood,
    testing::Values(
        GoodCase{"noArguments", {}, HelpRequest{}}, GoodCase{"help", {"--help"}, HelpRequest{}},
        GoodCase{"shortHelp", {"-h"}, HelpRequest{}},
        GoodCase{"helpAfterCommand", {"import", "--help"}, HelpRequest{}},
        GoodCase{"helpAmongOptions", {"query", "--mode", "3", "-h"}, HelpRequest{}},
        GoodCase{"helpWinsOverBadCommand", {"frob", "--tabel", "--help"}, HelpRequest{}},
        GoodCase{"importDefaults", {"import", "a.csv", "b.mdb"}, import("a.csv", "b.mdb")},
        GoodCase{"importEveryOption",
                 {"import", "--table", "Other", "--double", "WJIN,NJIN", "--long=ID", "--working",
                  "--force", "a.csv", "b.mdb"},
                 everyImportOption()},
        GoodCase{"importColumnListsAccumulate",
                 {"import", "--double", "WJIN,NJIN", "--double=GDU", "a.csv", "b.mdb"},
                 repeatedColumnLists()},
        GoodCase{"importOptionsBetweenFiles",
                 {"import", "a.csv", "--at-rest", "b.mdb"},
                 import("a.csv", "b.mdb")},
        GoodCase{"importDashIsAFile", {"import", "-", "b.mdb"}, import("-", "b.mdb")},
        GoodCase{"importAfterDoubleDash",
                 {"import", "--", "-a.csv", "--force"},
                 import("-a.csv", "--force")},
        GoodCase{"exportDefaults", {"export", "b.mdb"}, exportOf("ZQbearing", "b.mdb")},
        GoodCase{"exportTable", {"export", "--table=Other", "b.mdb"}, exportOf("Other", "b.mdb")},
        GoodCase{"importEncodingAndTabByName",
                 {"import", "--encoding", "GB18030", "--delimiter=tab", "a.csv", "b.mdb"},
                 importText("GB18030", '\t')},
        GoodCase{"importTabItself",
                 {"import", "--delimiter", "\t", "a.csv", "b.mdb"},
                 importText("", '\t')},
        GoodCase{"exportEncodingAndSemicolon",
                 {"export", "--delimiter", ";", "--encoding=UTF-16LE", "b.mdb"},
                 exportText("UTF-16LE", ';')},
        GoodCase{"exportCommaByName",
                 {"export", "--delimiter", "comma", "b.mdb"},
                 exportText("UTF-8", ',')},
        GoodCase{"sqlDefaults",
                 {"sql", "SELECT * FROM ZQbearing"},
                 SqlOptions{"bde.mdb", "SELECT * FROM ZQbearing"}},
        GoodCase{
            "sqlDatabase", {"sql", "SELECT 1", "--db", "x.mdb"}, SqlOptions{"x.mdb", "SELECT 1"}},
        GoodCase{"queryDefaults", {"query"}, QueryOptions{}},
        GoodCase{"queryNegativeMode", {"query", "--mode", "-1"}, queryMode(-1)},
        GoodCase{"queryLargeMode", {"query", "--mode=2147483647"}, queryMode(2147483647)},
        GoodCase{"queryEveryOption",
                 {"query", "--mode=0", "--model", " 6204", "--outer", "47", "--inner=20",
                  "--height", "14", "--brand", "", "--type", "深沟球轴承", "--sort", "WJIN DESC",
                  "--print-sql"},
                 everyQueryOption()},
        GoodCase{"valueKeepsLaterEquals", {"query", "--sort=a=b"}, querySort("a=b")},
        GoodCase{"valueMayBeginWithDoubleDash", {"query", "--sort=--x"}, querySort("--x")}),
    bearing::test::CaseName());

struct BadCase {
    const char* name;
    std::vector<std::string> args;
    std::string message;
};

void PrintTo(const BadCase& c, std::ostream* os) {
    *os << c.name;
}

class ParseCommandLineBad : public testing::TestWithParam<BadCase> {};

TEST_P(ParseCommandLineBad, explainsTheMistake) {
    try {
        static_cast<void>(parseCommandLine(GetParam().args));
        FAIL() << "accepted";
    } catch (const UsageError& e) {
        EXPECT_EQ(std::string(e.what()).substr(0, GetParam().message.size()), GetParam().message)
            << e.what();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, ParseCommandLineBad,
    testing::Values(
        BadCase{"unknownCommand", {"frob"}, "unknown command \"frob\""},
        BadCase{"optionBeforeCommand",
                {"--table", "T", "export", "b.mdb"},
                "unknown command \"--table\""},
        BadCase{"unknownOption",
                {"import", "--tabel", "T", "a", "b"},
                "import: unknown option --tabel"},
        BadCase{"unknownOptionWithValue",
                {"import", "--tabel=T", "a", "b"},
                "import: unknown option --tabel"},
        BadCase{"unknownShortOption", {"sql", "-x", "SELECT 1"}, "sql: unknown option -x"},
        BadCase{"optionOfAnotherCommand",
                {"export", "--db", "x.mdb", "b.mdb"},
                "export: unknown option --db"},
        BadCase{"missingValueAtEnd",
                {"export", "b.mdb", "--table"},
                "export: option --table needs a value"},
        BadCase{"optionWhereValueBelongs",
                {"query", "--model", "--brand", "SKF"},
                "query: option --model needs a value"},
        BadCase{"flagWithValue",
                {"query", "--print-sql=yes"},
                "query: option --print-sql takes no value"},
        BadCase{"missingMdb", {"import", "a.csv"}, "import: missing the MDB file"},
        BadCase{"missingBothFiles", {"import", "--force"}, "import: missing the CSV file"},
        BadCase{"exportMissingMdb", {"export"}, "export: missing the MDB file"},
        BadCase{"sqlMissingStatement", {"sql", "--db", "x.mdb"}, "sql: missing the statement"},
        BadCase{"extraFile", {"export", "a.mdb", "b.mdb"}, "export: unexpected argument \"b.mdb\""},
        BadCase{"extraImportFile", {"import", "a", "b", "c"}, "import: unexpected argument \"c\""},
        BadCase{"queryTakesNoPositional", {"query", "6204"}, "query: unexpected argument \"6204\""},
        BadCase{"bothSignatures",
                {"import", "--working", "--at-rest", "a", "b"},
                "import: --working and --at-rest cannot be given together"},
        BadCase{"emptyColumnInList",
                {"import", "--double", "A,,B", "a", "b"},
                "import: --double has an empty column name in \"A,,B\""},
        BadCase{"trailingCommaInList",
                {"import", "--long=A,", "a", "b"},
                "import: --long has an empty column name"},
        BadCase{"emptyList",
                {"import", "--double=", "a", "b"},
                "import: --double has an empty column name"},
        BadCase{"columnInBothLists",
                {"import", "--double", "WJIN", "--long", "wjin", "a", "b"},
                "import: column \"WJIN\" is given to both --double and --long"},
        BadCase{"delimiterUnknown",
                {"import", "--delimiter", "|", "a", "b"},
                "import: --delimiter takes comma, tab or semicolon (or the character itself), "
                "not \"|\""},
        BadCase{"encodingEmpty",
                {"export", "--encoding=", "b"},
                "export: --encoding needs the name of an encoding"},
        BadCase{"modeNotANumber",
                {"query", "--mode", "x"},
                "query: --mode needs a whole number, not \"x\""},
        BadCase{"modeEmpty", {"query", "--mode="}, "query: --mode needs a whole number"},
        BadCase{"modeFraction", {"query", "--mode", "1.5"}, "query: --mode needs a whole number"},
        BadCase{"modeWithSpace", {"query", "--mode", " 1"}, "query: --mode needs a whole number"},
        BadCase{"modeOutOfRange",
                {"query", "--mode", "99999999999"},
                "query: --mode 99999999999 is out of range"}),
    bearing::test::CaseName());

TEST(UsageText, summaryFirstThenALinePerCommand) {
    const std::string text = usageText();
    EXPECT_TRUE(text.starts_with("bearing-catalog: builds, exports and queries"));
    for (const char* command : {"import", "export", "sql", "query"})
        EXPECT_NE(text.find("\n  bearing-catalog " + std::string(command) + " ["),
                  std::string::npos)
            << command;
}

TEST(LanguageOf, firstLocaleVariableSetDecides) {
    const struct {
        const char* lcAll;
        const char* lcMessages;
        const char* lang;
        Language expected;
    } cases[] = {
        {nullptr, nullptr, nullptr, Language::English},
        {nullptr, nullptr, "zh_CN.UTF-8", Language::Chinese},
        {nullptr, nullptr, "zh_TW.Big5", Language::Chinese},
        {nullptr, nullptr, "de_DE.UTF-8", Language::English},
        {nullptr, "zh_CN.UTF-8", "en_US.UTF-8", Language::Chinese},
        {nullptr, "C", "zh_CN.UTF-8", Language::English},
        {"", "", "zh_CN.GB18030", Language::Chinese},
        {"C.UTF-8", "zh_CN.UTF-8", "zh_CN.UTF-8", Language::English},
        {"zh_HK.UTF-8", nullptr, "en_US.UTF-8", Language::Chinese},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(languageOf(c.lcAll, c.lcMessages, c.lang), c.expected)
            << (c.lcAll ? c.lcAll : "-") << " " << (c.lcMessages ? c.lcMessages : "-") << " "
            << (c.lang ? c.lang : "-");
    }
}

} // namespace
} // namespace bearing::cli
