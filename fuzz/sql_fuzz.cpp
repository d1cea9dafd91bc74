// libFuzzer target: any text as a statement (and, after a NUL byte, a sort expression) run by the
// statement engine over a small fixed table.
#include "sql/row_order.h"
#include "sql/sql_error.h"
#include "sql/sql_evaluator.h"
#include "sql/sql_text.h"
#include "sql/table.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

using namespace bearing;

namespace {

// The search table's columns, a column with a Chinese name, and cells that
// make comparisons hard: Nulls, empty text, wildcards, non-ASCII letters, and
// numbers at the edges of what a Number column holds.
std::shared_ptr<const Table> fixedTable() {
    static const std::shared_ptr<const Table> table = [] {
        auto t =
            std::make_shared<Table>("ZQbearing", std::vector<Column>{{"newNO", ValueKind::Text},
                                                                     {"oldNO", ValueKind::Text},
                                                                     {"DZAO", ValueKind::Text},
                                                                     {"WJIN", ValueKind::Number},
                                                                     {"NJIN", ValueKind::Number},
                                                                     {"GDU", ValueKind::Number},
                                                                     {"BTYPE", ValueKind::Text},
                                                                     {"型号", ValueKind::Text}});
        using Cell = std::optional<std::string_view>;
        const std::vector<std::vector<Cell>> rows{
            {"6205", "205", "FAG 6205", "52", "25", "15", "深沟球轴承 0类", "Ä"},
            {"6204-2RS", "180204", "NSK 6204DDU", "47", "20", "14", "深沟球轴承 0类", "ä"},
            {"NU204", "2204", "SKF NU204", "47", "20", "14", "圆柱滚子轴承 2类", std::nullopt},
            {"30204", "7204", "TIMKEN 30204", "47", "20", "15.25", "圆锥滚子轴承 7类", ""},
            {std::nullopt, "", "", std::nullopt, "-0", "1E-07", "", "%"},
            {"", std::nullopt, "50%_off", "1.7976931348623157E+308", "-1.7976931348623157E+308",
             "0", "推力圆锥滚子轴承 ", "_"},
            {"ǅ", "ß", "ΣΑΣ", "4.9406564584124654E-324", "2147483647", "-2147483648", "ﬃ", "\"'"},
            {"a\xC3", "\xFF\xFE", "\xE4\xB8", "12", "12", "12", "\xF0\x9F\x98\x80", "😀"},
        };
        for (const auto& row : rows)
            for (const Cell& cell : row) {
                if (cell)
                    t->appendText(*cell);
                else
                    t->appendNull();
            }
        return t;
    }();
    return table;
}

[[noreturn]] void broken(const char* what) {
    std::fprintf(stderr, "%s\n", what);
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t nul = input.find('\0');
    const std::string_view statement = input.substr(0, nul);

    const std::shared_ptr<const Table> table = fixedTable();
    SelectResult result;
    try {
        result = runSelect(statement, [&](std::string_view name) {
            return equalsIgnoringAsciiCase(name, table->name()) ? table : nullptr;
        });
    } catch (const StatementError& e) {
        if (e.position() > statement.size())
            broken("error position beyond the statement");
        return 0;
    }
    if (result.table != table)
        broken("the result is not over the named table");
    std::vector<bool> seen(table->rowCount());
    for (const std::uint32_t row : result.rows) {
        if (row >= table->rowCount() || seen[row])
            broken("a row index out of range or taken twice");
        seen[row] = true;
    }

    if (nul == std::string_view::npos)
        return 0;
    try {
        std::vector<std::uint32_t> rows = result.rows;
        orderRows(*table, parseSortExpression(*table, input.substr(nul + 1)), rows);
        if (rows.size() != result.rows.size())
            broken("sorting changed the number of rows");
    } catch (const StatementError&) {
    }
    return 0;
}
