// bearing-catalog export.
#include "tools/catalog/export_command.h"

#include "platform/file_io.h"
#include "platform/jet_reader.h"
#include "tools/catalog/csv_writer.h"

namespace bearing::catalog {

void runExport(const ExportOptions& o, std::ostream& out)
{
    const JetDatabase db(readWholeFile(o.mdbPath));
    const auto table = db.readTable(o.table);
    if (!table) {
        std::string names;
        for (const auto& n : db.tableNames())
            names += (names.empty() ? "" : ", ") + n;
        throw std::runtime_error("\"" + o.mdbPath + "\" has no table \"" + o.table + "\" (tables: " +
                                 (names.empty() ? "none" : names) + ")");
    }
    CsvWriter csv(out);
    std::vector<std::string> header;
    for (const auto& c : table->columns())
        header.push_back(c.name);
    csv.writeHeader(header);
    for (std::size_t r = 0; r < table->rowCount(); ++r) {
        for (std::size_t c = 0; c < table->columnCount(); ++c)
            csv.writeField(table->cell(r, c));
        csv.endRecord();
    }
    csv.flush();
}

} // namespace bearing::catalog
