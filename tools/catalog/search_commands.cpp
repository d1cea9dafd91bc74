// bearing-catalog sql and query.
#include "tools/catalog/search_commands.h"

#include "db/connection.h"
#include "db/result_set.h"
#include "search/catalogue.h"
#include "search/search_run.h"
#include "search/search_sql.h"
#include "tools/catalog/csv_writer.h"
#include "tools/catalog/message.h"

namespace bearing::cli {

namespace {

void printRows(const ResultSet& rs, const std::vector<std::size_t>& columns, std::ostream& out) {
    CsvWriter csv(out);
    std::vector<std::string> header;
    for (std::size_t c : columns)
        header.push_back(rs.table().columns()[c].name);
    csv.writeHeader(header);
    // Records come in sort order, so each lies somewhere else in a table of
    // up to hundreds of megabytes: its cells and then their text are fetched
    // a few records ahead, to be in the processor's cache when written.
    const Table& table = rs.table();
    const std::span<const Table::Cell> cells = table.cells();
    const std::size_t count = rs.recordCount();
    constexpr std::size_t kCellsAhead = 16;
    constexpr std::size_t kTextAhead = 8;
    for (std::size_t r = 0; r < count; ++r) {
        if (r + kCellsAhead < count)
            __builtin_prefetch(cells.data() + rs.rowAt(r + kCellsAhead) * table.columnCount());
        if (r + kTextAhead < count)
            for (std::size_t c : columns)
                if (const auto value = rs.value(r + kTextAhead, c))
                    __builtin_prefetch(value->data());
        for (std::size_t c : columns)
            csv.writeField(rs.value(r, c));
        csv.endRecord();
    }
    csv.flush();
}

class CommandLineView : public SearchRunView {
  public:
    explicit CommandLineView(std::ostream& log) : m_log(log) {}
    void showConnectionFailure() override {
        m_log << utf8(QCoreApplication::translate("SearchRun", kConnectionFailureTitle)) << ": "
              << utf8(QCoreApplication::translate("SearchRun", kConnectionFailureText)) << "\n";
    }
    void setResultCaption(const std::string& caption) override { m_caption = caption; }
    const std::string& caption() const { return m_caption; }

  private:
    std::ostream& m_log;
    std::string m_caption;
};

} // namespace

void runSql(const SqlOptions& o, std::ostream& out, std::ostream& log) {
    Connection connection;
    connection.setConnectionText("provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + o.database);
    ResultSet rs(connection);
    rs.setPlan(kOneSearchOnly);
    rs.setStatementLines({o.statement});
    rs.open();
    std::vector<std::size_t> columns(rs.table().columnCount());
    for (std::size_t c = 0; c < columns.size(); ++c)
        columns[c] = c;
    printRows(rs, columns, out);
    log << utf8(Message::tr("%1 records").arg(rs.recordCount())) << "\n";
}

void runQuery(const QueryOptions& o, std::ostream& out, std::ostream& log) {
    const SearchCriteria criteria{o.model, o.mode, o.outer, o.inner, o.height, o.brand, o.type};
    if (o.printSql) {
        out << joinStatementLines(BuildSearchSql(criteria));
        return;
    }
    Connection connection;
    ResultSet rs(connection);
    rs.setPlan(kOneSearchOnly);
    CommandLineView view(log);
    SearchRun(connection, rs, view).run(criteria);
    if (!o.sort.empty())
        rs.setSortExpression(o.sort);
    // The run has made sure that all seven columns are there.
    std::vector<std::size_t> columns;
    for (const auto& info : catalogue::kGridColumns)
        columns.push_back(static_cast<std::size_t>(rs.table().findColumn(info.field)));
    printRows(rs, columns, out);
    log << view.caption() << "\n";
}

} // namespace bearing::cli
