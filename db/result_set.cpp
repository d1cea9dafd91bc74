// The result set over the catalogue connection.
#include "db/result_set.h"

#include "sql/row_order.h"
#include "sql/sql_error.h"
#include "sql/sql_evaluator.h"

#include <QCoreApplication>

namespace bearing {

void ResultSet::setStatementLines(std::vector<std::string> lines) {
    close();
    m_lines = std::move(lines);
}

std::string ResultSet::statementText() const {
    std::string text;
    for (const auto& line : m_lines)
        text += line + "\r\n";
    return text;
}

void ResultSet::open() {
    if (isOpen())
        return;
    m_connection.connect();
    SelectResult result = runSelect(
        statementText(), [this](std::string_view name) { return m_connection.table(name); },
        std::move(m_statementOrder), m_plan);
    m_table = std::move(result.table);
    m_statementOrder = std::move(result.rows);
    // After the statement, so that the order it used is kept too.
    std::optional<Connection::UsedOrder> used;
    if (result.order)
        used = Connection::UsedOrder{m_table.get(), *result.order};
    m_connection.keepDecodedTables(m_plan.searchedAgain ? Connection::Keeping::BeforeReturning
                                                        : Connection::Keeping::Beside,
                                   used);
    m_rows = m_statementOrder;
    m_sort.clear();
    changed();
}

void ResultSet::close() {
    if (!isOpen())
        return;
    m_table.reset();
    // The memory is kept for the next search: a million rows' worth costs
    // thousands of page faults to get back.
    m_statementOrder.clear();
    m_rows.clear();
    m_sort.clear();
    changed();
}

void ResultSet::setSortExpression(std::string expression) {
    if (!isOpen())
        throw StatementError(
            QCoreApplication::translate("ResultSet", "结果集没有打开，无法排序。").toStdString(),
            0);
    std::vector<std::uint32_t> rows = m_statementOrder;
    if (!expression.empty())
        orderRows(*m_table, parseSortExpression(*m_table, expression), rows);
    m_rows = std::move(rows);
    m_sort = std::move(expression);
    changed();
}

void ResultSet::changed() {
    if (m_listener)
        m_listener();
}

} // namespace bearing
