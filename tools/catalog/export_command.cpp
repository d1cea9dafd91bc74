// bearing-catalog export.
#include "tools/catalog/export_command.h"

#include "jet/jet_reader.h"
#include "platform/file_io.h"
#include "tools/catalog/csv_writer.h"
#include "tools/catalog/message.h"

namespace bearing::cli {

void runExport(const ExportOptions& o, std::ostream& out) {
    FileImage image;
    readWholeFile(o.mdbPath, image);
    const JetDatabase db(std::move(image));
    const auto table = db.readTable(o.table);
    if (!table) {
        std::string names;
        for (const auto& n : db.tableNames())
            names += (names.empty() ? "" : ", ") + n;
        throw std::runtime_error(utf8(
            Message::tr("\"%1\" has no table \"%2\" (tables: %3)")
                .arg(qs(o.mdbPath), qs(o.table), names.empty() ? Message::tr("none") : qs(names))));
    }
    CsvWriter csv(out, o.delimiter, o.encoding);
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

} // namespace bearing::cli
