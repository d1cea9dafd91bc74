// Files the database engine itself wrote (Jet 3 and Jet 4), read table by table
// and compared with what an independent reader, mdbtools' mdb-export, exported
// from them once (tests/data/engine-written/expected, see the README there).
// Where the two readers give a value in different forms, the expected value is
// brought into the engine's form by a rule below, each rule with the reason.
#include "jet/jet_reader.h"
#include "platform/file_io.h"
#include "sql/number_text.h"
#include "tools/catalog/csv_reader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

using namespace bearing;
namespace fs = std::filesystem;

namespace {

const fs::path kData = fs::path(BEARING_SOURCE_DIR) / "tests" / "data" / "engine-written";

struct ExportCase {
    std::string file;  // the .mdb, without its extension
    std::string table; // as named in the expected export's file name
};

void PrintTo(const ExportCase& c, std::ostream* os) {
    *os << c.file << "/" << c.table;
}

// Values mdb-export gets wrong, checked by hand against the stored bytes: it
// prints the dates below, before 1900 and in the year 9999, as 1900-01-00 (its
// calendar arithmetic does not reach them); the stored day numbers are those of
// these dates, which the engine shows as such.
struct Correction {
    const char* file;
    const char* table;
    std::size_t row;
    const char* column;
    const char* value;
};

constexpr Correction kCorrections[] = {
    {"access-written-jet4", "DateTest", 1, "DateTimeCol", "9999-01-01"},
    {"access-written-jet4", "DateTest", 1, "DateCol", "9999-01-01"},
    {"access-written-jet4", "DateTest", 1, "TimeCol", "9999-01-01"},
    {"access-written-jet4", "DateTest", 2, "DateTimeCol", "1898-01-01"},
    {"access-written-jet4", "DateTest", 2, "DateCol", "1899-01-01"},
    {"access-written-jet4", "DateTest", 3, "DateTimeCol", "0632-01-01"},
    {"access-written-jet4", "DateTest", 3, "DateCol", "0633-01-01"},
    {"access-written-jet4", "DateTest", 3, "TimeCol", "0634-01-01"},
};

const Correction* correctionFor(const ExportCase& c, std::size_t row, const std::string& column) {
    for (const Correction& k : kCorrections)
        if (c.file == k.file && c.table == k.table && row == k.row && column == k.column)
            return &k;
    return nullptr;
}

std::vector<ExportCase> everyExpectedExport() {
    std::vector<ExportCase> cases;
    for (const auto& dir : fs::directory_iterator(kData / "expected"))
        for (const auto& csv : fs::directory_iterator(dir.path()))
            cases.push_back({dir.path().filename().string(), csv.path().stem().string()});
    std::sort(cases.begin(), cases.end(), [](const ExportCase& a, const ExportCase& b) {
        return a.file + "/" + a.table < b.file + "/" + b.table;
    });
    return cases;
}

std::string caseName(const ExportCase& c) {
    std::string name;
    static constexpr char kHex[] = "0123456789ABCDEF";
    for (const unsigned char ch : c.file + "_" + c.table) {
        if ((ch >= '0' && ch <= '9') || (ch >= 'A' && ch <= 'Z') || (ch >= 'a' && ch <= 'z')) {
            name.push_back(static_cast<char>(ch));
        } else if (ch < 0x80) {
            name.push_back('_');
        } else {
            name.push_back(kHex[ch >> 4]);
            name.push_back(kHex[ch & 0xF]);
        }
    }
    return name;
}

std::string withoutTrailingZeros(std::string s) {
    if (s.find('.') == std::string::npos || s.find_first_of("eE") != std::string::npos)
        return s;
    while (s.back() == '0')
        s.pop_back();
    if (s.back() == '.')
        s.pop_back();
    return s == "-0" ? "0" : s;
}

// True when `ours` is the engine's form of the value mdb-export printed as
// `theirs`, for a column stored as `type`.
bool sameValue(StoredType type, const std::optional<std::string_view>& ours,
               const std::optional<std::string>& theirs) {
    // mdb-export prints Null and empty text alike, as an empty field.
    if (!theirs || theirs->empty())
        return !ours || ours->empty();
    if (!ours)
        return false;
    const std::string expected = *theirs;
    switch (type) {
    case StoredType::YesNo:
        // mdb-export prints 1 and 0; the engine's text form is True and False.
        return *ours == (expected == "1" ? "True" : expected == "0" ? "False" : "?");
    case StoredType::Currency:
        // mdb-export prints four decimals (3.5000); the engine drops trailing
        // zeros (3.5).
        return *ours == withoutTrailingZeros(expected);
    case StoredType::DateTime:
        // Exported with -T '%Y-%m-%d %H:%M:%S'; the engine leaves out a
        // midnight time.
        return *ours == (expected.size() > 10 && expected.ends_with(" 00:00:00")
                             ? expected.substr(0, 10)
                             : expected);
    case StoredType::Number:
        // Whole numbers and Decimal values agree once mdb-export's trailing
        // zeros are gone. mdb-export prints a Double with 16 significant
        // digits and a Single with its float digits; the engine shows 15 and 7.
        return *ours == withoutTrailingZeros(expected) ||
               *ours == formatDouble(std::strtod(expected.c_str(), nullptr)) ||
               *ours == formatSingle(std::strtof(expected.c_str(), nullptr));
    case StoredType::Ole:
        // mdb-export prints an OLE object's bytes; the grid shows a placeholder.
        return *ours == "(OLE)";
    case StoredType::ReplicationId: {
        // A Replication ID: mdbtools leaves out the dash between the fourth
        // and the fifth group ({8-4-4-4-12} is the engine's form).
        std::string dashless(*ours);
        std::erase(dashless, '-');
        std::string theirsDashless = expected;
        std::erase(theirsDashless, '-');
        return dashless == theirsDashless;
    }
    default:
        return *ours == expected;
    }
}

class EngineWritten : public ::testing::TestWithParam<ExportCase> {};

TEST_P(EngineWritten, EveryRowReadsAsTheIndependentReaderExportedIt) {
    const ExportCase& c = GetParam();
    const JetDatabase db(readWholeFile(kData / (c.file + ".mdb")));
    const auto table = db.readTable(c.table);
    ASSERT_TRUE(table) << c.table;

    std::ifstream in(kData / "expected" / c.file / (c.table + ".csv"), std::ios::binary);
    cli::CsvReader expected(in);
    ASSERT_EQ(expected.header().size(), table->columnCount());
    for (std::size_t col = 0; col < table->columnCount(); ++col)
        EXPECT_EQ(table->columns()[col].name, expected.header()[col]);

    cli::CsvRecord record;
    std::size_t row = 0;
    std::size_t corrected = 0;
    while (expected.next(record)) {
        ASSERT_LT(row, table->rowCount()) << "the independent reader has more rows";
        for (std::size_t col = 0; col < table->columnCount(); ++col) {
            const auto ours = table->cell(row, col);
            const Column& column = table->columns()[col];
            if (const Correction* k = correctionFor(c, row, column.name)) {
                ++corrected;
                EXPECT_EQ(ours, std::optional<std::string_view>(k->value))
                    << "row " << row << ", column " << column.name;
                continue;
            }
            EXPECT_TRUE(sameValue(column.stored, ours, record[col]))
                << "row " << row << ", column " << table->columns()[col].name << ": ours "
                << (ours ? "\"" + std::string(*ours) + "\"" : "Null") << ", theirs "
                << (record[col] ? "\"" + *record[col] + "\"" : "empty");
        }
        ++row;
    }
    EXPECT_EQ(table->rowCount(), row);
    EXPECT_EQ(corrected,
              static_cast<std::size_t>(std::count_if(
                  std::begin(kCorrections), std::end(kCorrections),
                  [&](const Correction& k) { return c.file == k.file && c.table == k.table; })));
}

INSTANTIATE_TEST_SUITE_P(Files, EngineWritten, ::testing::ValuesIn(everyExpectedExport()),
                         [](const auto& info) { return caseName(info.param); });

TEST(EngineWrittenFiles, EveryUserTableHasAnExpectedExport) {
    for (const auto& entry : fs::directory_iterator(kData)) {
        if (entry.path().extension() != ".mdb")
            continue;
        SCOPED_TRACE(entry.path().filename().string());
        const JetDatabase db(readWholeFile(entry.path()));
        for (const std::string& name : db.tableNames())
            EXPECT_TRUE(fs::exists(kData / "expected" / entry.path().stem() / (name + ".csv")))
                << name;
    }
}

} // namespace
