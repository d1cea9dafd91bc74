// The result set over the catalogue connection: a statement, the rows it
// selected (held in memory, so they stay readable whatever happens to the
// file), and the sort expression that reorders them.
#pragma once

#include "db/connection.h"
#include "sql/sql_evaluator.h"
#include "sql/table.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace bearing {

class ResultSet {
  public:
    explicit ResultSet(Connection& connection) : m_connection(connection) {}

    // Closes the set if it is open and replaces the statement.
    void setStatementLines(std::vector<std::string> lines);

    // How much each statement prepares its table for the later ones (runSelect's
    // plan). A set searched once keeps the decoded table in the cache folder
    // beside the caller, who shows the rows meanwhile.
    void setPlan(SelectPlan plan) { m_plan = plan; }
    [[nodiscard]] const std::vector<std::string>& statementLines() const { return m_lines; }
    // The statement as the engine receives it: every line followed by CR LF.
    [[nodiscard]] std::string statementText() const;

    // Runs the statement and loads every matching row, connecting first when
    // the connection is not connected. Opening an open set does nothing.
    // Throws ConnectionError or StatementError with the message for the user.
    void open();
    // Drops the rows and the sort expression.
    void close();
    [[nodiscard]] bool isOpen() const { return m_table != nullptr; }

    [[nodiscard]] std::size_t recordCount() const { return m_rows.size(); }
    [[nodiscard]] const Table& table() const { return *m_table; }
    // Table row index of the record at `position` in the current order.
    [[nodiscard]] std::uint32_t rowAt(std::size_t position) const { return m_rows[position]; }
    [[nodiscard]] std::optional<std::string_view> value(std::size_t position,
                                                        std::size_t column) const {
        return m_table->cell(m_rows[position], column);
    }

    // The expression last set on this open set, exactly as set; empty for a
    // newly opened one.
    [[nodiscard]] const std::string& sortExpression() const { return m_sort; }
    // "FIELD ASC" or "FIELD DESC" on a column of the set: reorders the loaded
    // rows (ties in statement order) and keeps the set open. An empty
    // expression restores statement order. Throws StatementError otherwise.
    void setSortExpression(std::string expression);

    // Called whenever the rows or their order change (open, close, sort).
    void setChangeListener(std::function<void()> listener) { m_listener = std::move(listener); }

  private:
    void changed();

    Connection& m_connection;
    std::vector<std::string> m_lines;
    SelectPlan m_plan;
    std::shared_ptr<const Table> m_table;
    std::vector<std::uint32_t> m_statementOrder;
    std::vector<std::uint32_t> m_rows;
    std::string m_sort;
    std::function<void()> m_listener;
};

} // namespace bearing
