// bearing-catalog with the text files spreadsheets write and read: encodings,
// separators, Excel's line ends, and messages in the user's language.
#include "platform/file_io.h"
#include "tools/catalog/text_encoding.h"

#include "tests/support/case_name.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/wait.h>
#include <tuple>
#include <unistd.h>

using namespace bearing::cli;
namespace fs = std::filesystem;

namespace {

struct CliResult {
    int status;
    std::string out;
    std::string err;
};

std::string quoted(const fs::path& p) {
    return "'" + p.string() + "'";
}

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Bytes of `text` (UTF-8) in `encoding`, through the system's iconv.
std::string encoded(const std::string& text, const std::string& encoding) {
    if (isUtf8(encoding))
        return text;
    TextConverter converter(encoding, "UTF-8");
    std::string out;
    EXPECT_EQ(converter.convert(text, out), std::string::npos) << encoding;
    return out;
}

class CatalogExcel : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        std::replace(name.begin(), name.end(), '/', '_');
        m_dir = fs::temp_directory_path() /
                ("catalog_excel_" + std::to_string(::getpid()) + "_" + name);
        fs::remove_all(m_dir);
        fs::create_directories(m_dir);
    }
    void TearDown() override { fs::remove_all(m_dir); }

    fs::path write(const std::string& name, const std::string& content) {
        std::ofstream(m_dir / name, std::ios::binary) << content;
        return m_dir / name;
    }

    // Runs the tool with only the locale variables in `locale` set, in `folder` when given.
    CliResult run(const std::string& args, const std::string& locale = "LANG=en_US.UTF-8",
                  const fs::path& folder = {}) {
        const fs::path errors = m_dir.parent_path() / (m_dir.filename().string() + ".err");
        const std::string command = (folder.empty() ? "" : "cd " + quoted(folder) + " && ") +
                                    "env -u LC_ALL -u LC_MESSAGES -u LANG -u LANGUAGE " + locale +
                                    " " + BEARING_CATALOG_EXE + " " + args + " 2>" + quoted(errors);
        FILE* pipe = ::popen(command.c_str(), "r");
        std::string out;
        char buf[65536];
        std::size_t n;
        while ((n = std::fread(buf, 1, sizeof buf, pipe)) > 0)
            out.append(buf, n);
        const int status = ::pclose(pipe);
        std::string err = readFile(errors);
        fs::remove(errors);
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, out, err};
    }

    // The files left in the test's folder.
    std::size_t fileCount() const {
        return static_cast<std::size_t>(
            std::distance(fs::directory_iterator(m_dir), fs::directory_iterator()));
    }

    fs::path m_dir;
};

// The small catalogue as Excel saves it: CR LF line ends, an empty line at the
// end, the field with a comma quoted whatever the separator, an empty brand
// model number (Null) and a quoted empty one (empty text).
std::string asExcelSavesIt(char separator) {
    const std::string s(1, separator);
    return "newNO" + s + "oldNO" + s + "DZAO" + s + "WJIN" + s + "NJIN" + s + "GDU" + s +
           "BTYPE\r\n" + "6204" + s + "180204" + s + "\"哈轴 6204, C3\"" + s + "47" + s + "20" + s +
           "14" + s + "深沟球轴承 0类\r\n" + "NU204E" + s + s + "洛轴 NU204E" + s + "47" + s +
           "20" + s + "14" + s + "圆柱滚子轴承 2类\r\n" + "30204" + s + "7204" + s + "\"\"" + s +
           "47" + s + "20" + s + "15.25" + s + "圆锥滚子轴承 7类\r\n\r\n";
}

// The same catalogue as export writes it: LF line ends, quotes only where needed.
std::string asExportWritesIt(char separator) {
    const std::string s(1, separator);
    const std::string withComma = separator == ',' ? "\"哈轴 6204, C3\"" : "哈轴 6204, C3";
    return "newNO" + s + "oldNO" + s + "DZAO" + s + "WJIN" + s + "NJIN" + s + "GDU" + s +
           "BTYPE\n" + "6204" + s + "180204" + s + withComma + s + "47" + s + "20" + s + "14" + s +
           "深沟球轴承 0类\n" + "NU204E" + s + s + "洛轴 NU204E" + s + "47" + s + "20" + s + "14" +
           s + "圆柱滚子轴承 2类\n" + "30204" + s + "7204" + s + "\"\"" + s + "47" + s + "20" + s +
           "15.25" + s + "圆锥滚子轴承 7类\n";
}

struct FileKind {
    const char* name;
    std::string encoding; // as the file is written and export is asked for
    std::string mark;     // the byte-order mark the file starts with
    std::string exportMark;
};

const FileKind kKinds[] = {
    {"Utf8", "UTF-8", "", ""},
    {"Utf8WithMark", "UTF-8", "\xEF\xBB\xBF", ""},
    {"Gb18030", "GB18030", "", ""},
    {"Utf16Le", "UTF-16LE", "\xFF\xFE", "\xFF\xFE"},
    {"Utf16Be", "UTF-16BE", "\xFE\xFF", "\xFE\xFF"},
};

struct Separator {
    const char* name;
    char character;
};

const Separator kSeparators[] = {{"Comma", ','}, {"Tab", '\t'}, {"Semicolon", ';'}};

class CatalogExcelRoundTrip : public CatalogExcel,
                              public testing::WithParamInterface<std::tuple<FileKind, Separator>> {
};

TEST_P(CatalogExcelRoundTrip, importsWithoutBeingToldAndExportsBackEqual) {
    const auto& [kind, separator] = GetParam();
    const fs::path csv =
        write("in.csv", kind.mark + encoded(asExcelSavesIt(separator.character), kind.encoding));
    const fs::path mdb = m_dir / "bde.mdb";
    const CliResult imported =
        run("import --double WJIN,NJIN,GDU " + quoted(csv) + " " + quoted(mdb));
    ASSERT_EQ(imported.status, 0) << imported.err;
    EXPECT_NE(imported.err.find("3 rows written"), std::string::npos) << imported.err;
    EXPECT_NE(imported.err.find("(read as " + kind.encoding + ")"), std::string::npos)
        << imported.err;

    const std::string delimiter =
        separator.character == '\t' ? "tab" : std::string(1, separator.character);
    const CliResult exported = run("export --encoding " + kind.encoding +
                                   " '--delimiter=" + delimiter + "' " + quoted(mdb));
    ASSERT_EQ(exported.status, 0) << exported.err;
    EXPECT_EQ(exported.out,
              kind.exportMark + encoded(asExportWritesIt(separator.character), kind.encoding));
}

INSTANTIATE_TEST_SUITE_P(EncodingsAndSeparators, CatalogExcelRoundTrip,
                         testing::Combine(testing::ValuesIn(kKinds),
                                          testing::ValuesIn(kSeparators)),
                         [](const auto& info) {
                             return std::string(std::get<0>(info.param).name) +
                                    std::get<1>(info.param).name;
                         });

TEST_F(CatalogExcel, namedEncodingAndSeparatorOverrideTheGuess) {
    // Big5 is not what an unmarked file is taken for; --encoding says so.
    const fs::path csv = write("big5.csv", encoded("newNO;BTYPE\n6204;深溝球軸承\n", "BIG5"));
    const fs::path mdb = m_dir / "bde.mdb";
    const CliResult imported =
        run("import --encoding BIG5 --delimiter semicolon " + quoted(csv) + " " + quoted(mdb));
    ASSERT_EQ(imported.status, 0) << imported.err;
    EXPECT_EQ(run("export " + quoted(mdb)).out, "newNO,BTYPE\n6204,深溝球軸承\n");
}

struct Refusal {
    const char* name;
    std::string bytes;
    std::string options;
    std::string message;
};

void PrintTo(const Refusal& r, std::ostream* os) {
    *os << r.name;
}

class CatalogExcelRefusal : public CatalogExcel, public testing::WithParamInterface<Refusal> {};

TEST_P(CatalogExcelRefusal, failsSayingWhatWasTriedAndLeavesNoFile) {
    const Refusal& r = GetParam();
    const fs::path csv = write("in.csv", r.bytes);
    const CliResult result =
        run("import " + r.options + " " + quoted(csv) + " " + quoted(m_dir / "bde.mdb"));
    EXPECT_EQ(result.status, 1);
    EXPECT_TRUE(result.err.starts_with("bearing-catalog: ")) << result.err;
    EXPECT_TRUE(result.err.ends_with(r.message + "\n")) << result.err;
    EXPECT_EQ(fileCount(), 1u) << "only the CSV is left";
}

INSTANTIATE_TEST_SUITE_P(
    Files, CatalogExcelRefusal,
    testing::Values(
        Refusal{
            "neitherUtf8NorGb18030", "newNO,DZAO\n6204,SKF\n6205,\xC9\xEE\x80\n", "",
            "line 3, column 2 (DZAO): the byte sequence 0x80 is neither UTF-8 nor GB18030 text; "
            "name the file's encoding with --encoding ('iconv --list' shows the names)"},
        Refusal{"brokenUtf16AfterItsMark",
                std::string("\xFF\xFE"
                            "A\0\n\0x\0\x00\xD8\n\0",
                            12),
                "",
                "line 2, column 1 (A): the byte sequence 0x00 0xD8 is not UTF-16LE text, which the "
                "file's byte-order mark names; name its encoding with --encoding"},
        Refusal{"wrongNamedEncoding", "newNO,DZAO\n6204,\xB9\xFE\xD6\xE1\n", "--encoding UTF-8",
                "line 2, column 2 (DZAO): the byte sequence 0xB9 is not UTF-8 text, the encoding "
                "--encoding names"},
        Refusal{"unknownNamedEncoding", "newNO\n6204\n", "--encoding GB-NONSUCH",
                "this system does not know the encoding \"GB-NONSUCH\"; 'iconv --list' shows "
                "the names it knows"},
        Refusal{"utf16WithoutItsMark", std::string("A\0\n\0", 4), "",
                "the file holds NUL bytes, as UTF-16 text without a byte-order mark does; name "
                "its encoding with --encoding (UTF-16LE or UTF-16BE)"}),
    bearing::test::CaseName());

TEST_F(CatalogExcel, exportRefusesAnEncodingThatCannotHoldTheText) {
    const fs::path csv = write("in.csv", "newNO,DZAO\n6204,SKF\n6205,\xF0\x9F\x98\x80\n");
    const fs::path mdb = m_dir / "bde.mdb";
    ASSERT_EQ(run("import " + quoted(csv) + " " + quoted(mdb)).status, 0);
    const CliResult result = run("export --encoding GBK " + quoted(mdb));
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.err.find("row 3 holds \"\xF0\x9F\x98\x80\" (U+1F600), which GBK cannot hold"),
              std::string::npos)
        << result.err;
}

struct LocaleCase {
    const char* name;
    std::string locale;
    bool chinese;
};

void PrintTo(const LocaleCase& c, std::ostream* os) {
    *os << c.name;
}

class CatalogExcelLanguage : public CatalogExcel, public testing::WithParamInterface<LocaleCase> {};

bool hasChinese(const std::string& text) {
    return text.find("行") != std::string::npos || text.find("用法") != std::string::npos ||
           text.find("文件") != std::string::npos || text.find("查询") != std::string::npos ||
           text.find("错误") != std::string::npos;
}

TEST_P(CatalogExcelLanguage, everyMessageInOneLanguage) {
    const LocaleCase& c = GetParam();
    const fs::path csv = write("in.csv", "newNO,WJIN\n6204,47\n6205,4x7\n");
    const fs::path mdb = m_dir / "bde.mdb";
    // A catalogue cut off inside its fourth page, an empty one, and a folder without one.
    const fs::path working = m_dir / "working.mdb";
    ASSERT_EQ(run("import --working " + quoted(write("whole.csv", "newNO\n6204\n")) + " " +
                  quoted(working))
                  .status,
              0);
    const std::string image = readFile(working);
    ASSERT_GT(image.size(), 12388u);
    const fs::path cut = write("cut.mdb", image.substr(0, 12388));
    const fs::path empty = m_dir / "empty";
    fs::create_directories(empty);
    write("empty/bde.mdb", "");
    fs::create_directories(m_dir / "none");
    // The tool's own messages, a usage error, --help and the summary, then
    // those of the layers below: reading a file, the writer refusing a long
    // text (stored uncompressed) that begins with U+FEFF, the reader refusing a
    // cut-off catalogue through the connection, a search refusing an empty
    // catalogue, a search without one, and a statement error with its place.
    const std::string expected[][2] = {
        {"line 3, column 2 (WJIN): \"4x7\" is not a number",
         "第 3 行，第 2 列（WJIN）：\"4x7\" 不是数字"},
        {"import: missing the MDB file", "import: 缺少MDB 文件"},
        {"Run 'bearing-catalog --help' for usage.", "用法请运行“bearing-catalog --help”。"},
        {"Usage:", "用法："},
        {"1 rows written to", "已写入 1 行到"},
        {"Cannot open file", "无法打开文件"},
        {"line 2, column 1 (A): text starting with U+FEFF cannot be stored",
         "第 2 行，第 1 列（A）：以 U+FEFF 开头的文字无法存储"},
        {"Cannot open the database file \"" + cut.string() +
             "\": The database file is incomplete: its size of 12388 bytes is not a whole number "
             "of pages (4096 bytes each)",
         "无法打开数据库文件“" + cut.string() +
             "”：数据库文件不完整：大小 12388 字节不是整页（每页 "
             "4096 字节）"},
        {"The file \"" + (empty / "bde.mdb").string() +
             "\" is empty, not a bearing catalogue; it was left as it is.",
         "文件“" + (empty / "bde.mdb").string() + "”是空文件，不是轴承数据库，程序没有改动它。"},
        {"Error: A fatal error occurred opening the database!\n"
         "bearing-catalog: The database file \"bde.mdb\" does not exist.",
         "错误: 打开数据库出现致命的错误！！！\nbearing-catalog: 找不到数据库文件“bde.mdb”。"},
        {"Statement error: a condition is missing after WHERE (at the end of the statement)",
         "查询语句有误：WHERE 之后缺少条件（在语句末尾）"},
    };
    const std::string outputs[] = {
        run("import --double WJIN " + quoted(csv) + " " + quoted(mdb), c.locale).err,
        run("import " + quoted(csv), c.locale).err,
        run("import " + quoted(csv), c.locale).err,
        run("--help", c.locale).out,
        run("import " + quoted(write("good.csv", "newNO\n6204\n")) + " " + quoted(mdb), c.locale)
            .err,
        run("export " + quoted(m_dir / "missing.mdb"), c.locale).err,
        run("import " +
                quoted(write("mark.csv", "A\n\xEF\xBB\xBF" + std::string(1100, 'x') + "\n")) + " " +
                quoted(m_dir / "mark.mdb"),
            c.locale)
            .err,
        run("sql --db " + quoted(cut) + " 'SELECT * FROM bearings'", c.locale).err,
        run("query --model 6204", c.locale, empty).err,
        run("query --model 6204", c.locale, m_dir / "none").err,
        run("sql --db " + quoted(working) + " 'SELECT * FROM bearings WHERE '", c.locale).err,
    };
    for (std::size_t i = 0; i < std::size(outputs); ++i) {
        EXPECT_NE(outputs[i].find(expected[i][c.chinese ? 1 : 0]), std::string::npos) << outputs[i];
        EXPECT_EQ(outputs[i].find(expected[i][c.chinese ? 0 : 1]), std::string::npos) << outputs[i];
        EXPECT_EQ(hasChinese(outputs[i]), c.chinese) << outputs[i];
    }
}

INSTANTIATE_TEST_SUITE_P(
    Locales, CatalogExcelLanguage,
    testing::Values(LocaleCase{"langChinese", "LANG=zh_CN.UTF-8", true},
                    LocaleCase{"langTaiwan", "LANG=zh_TW.UTF-8", true},
                    LocaleCase{"messagesChinese", "LANG=en_US.UTF-8 LC_MESSAGES=zh_CN.UTF-8", true},
                    LocaleCase{"allOverridesMessages",
                               "LANG=zh_CN.UTF-8 LC_MESSAGES=zh_CN.UTF-8 LC_ALL=C", false},
                    LocaleCase{"langEnglish", "LANG=en_GB.UTF-8", false},
                    LocaleCase{"nothingSet", "", false}),
    bearing::test::CaseName());

// The window installs no catalogue of the tool's, so whatever the locale the
// layers below keep the Chinese the window shows.
TEST(LowerLayerMessages, stayChineseWithoutTheToolsCatalogue) {
    try {
        static_cast<void>(bearing::readWholeFile("/nonexistent/bde.mdb"));
        FAIL() << "read a missing file";
    } catch (const bearing::FileError& e) {
        EXPECT_TRUE(std::string(e.what()).starts_with("无法打开文件 \"/nonexistent/bde.mdb\""))
            << e.what();
    }
}

} // namespace
