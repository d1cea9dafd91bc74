// Tables in memory for the engine's tests, and the resolver that hands one to a statement.
#pragma once

#include "sql/sql_evaluator.h"
#include "sql/sql_text.h"
#include "sql/table.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace bearing::test {

// A cell's text as the reader would give it; nullopt for Null.
using Cell = std::optional<std::string>;

inline std::shared_ptr<const Table> tableOf(std::string name, std::vector<Column> columns,
                                            const std::vector<std::vector<Cell>>& rows) {
    auto table = std::make_shared<Table>(std::move(name), std::move(columns));
    for (const auto& row : rows) {
        for (const Cell& cell : row) {
            if (cell)
                table->appendText(*cell);
            else
                table->appendNull();
        }
    }
    return table;
}

// Resolves the one table by its name, in any letter case, as the connection does.
inline TableResolver resolverFor(std::shared_ptr<const Table> table) {
    return [table](std::string_view name) -> std::shared_ptr<const Table> {
        return equalsIgnoringCase(name, table->name()) ? table : nullptr;
    };
}

} // namespace bearing::test
