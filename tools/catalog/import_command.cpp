// bearing-catalog import.
#include "tools/catalog/import_command.h"

#include "platform/file_io.h"
#include "platform/jet_text.h"
#include "platform/jet_writer.h"
#include "platform/table.h"
#include "tools/catalog/csv_reader.h"

#include <filesystem>
#include <fstream>

namespace bearing::catalog {

namespace {

std::ifstream openCsv(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in || std::filesystem::is_directory(path))
        throw FileError("cannot open \"" + path + "\" for reading");
    return in;
}

// Index of each named column in the header; an unknown name is an error.
std::vector<bool> columnsNamed(const std::vector<std::string>& names, const std::vector<std::string>& header,
                               const char* option)
{
    std::vector<bool> chosen(header.size(), false);
    for (const auto& name : names) {
        bool found = false;
        for (std::size_t i = 0; i < header.size(); ++i) {
            if (equalsIgnoringAsciiCase(header[i], name)) {
                chosen[i] = true;
                found = true;
            }
        }
        if (!found)
            throw std::runtime_error(std::string(option) + " names column \"" + name +
                                     "\", which the CSV header does not have");
    }
    return chosen;
}

struct Plan {
    std::vector<JetColumnSpec> columns;
    std::size_t rows = 0;
};

Plan planColumns(const ImportOptions& o)
{
    std::ifstream in = openCsv(o.csvPath);
    CsvReader reader(in);
    const auto& header = reader.header();
    const auto doubles = columnsNamed(o.doubleColumns, header, "--double");
    const auto longs = columnsNamed(o.longColumns, header, "--long");
    Plan plan;
    for (std::size_t i = 0; i < header.size(); ++i) {
        if (doubles[i] && longs[i])
            throw std::runtime_error("column \"" + header[i] + "\" is named by both --double and --long");
        plan.columns.push_back({header[i], doubles[i]  ? JetColumnType::Double
                                           : longs[i] ? JetColumnType::Long
                                                      : JetColumnType::Text});
    }
    CsvRecord record;
    while (reader.next(record)) {
        ++plan.rows;
        for (std::size_t i = 0; i < record.size(); ++i) {
            if (!record[i])
                continue;
            auto& column = plan.columns[i];
            if (column.type == JetColumnType::Double)
                (void)parseDouble(*record[i], reader.position(i));
            else if (column.type == JetColumnType::Long)
                (void)parseLong(*record[i], reader.position(i));
            else if (column.type == JetColumnType::Text && record[i]->size() > 255 &&
                     utf8ToUtf16(*record[i]).size() > 255)
                column.type = JetColumnType::Memo;
        }
    }
    return plan;
}

} // namespace

std::size_t runImport(const ImportOptions& o, const ImportProgress& progress)
{
    if (!o.force && std::filesystem::exists(std::filesystem::symlink_status(o.mdbPath)))
        throw std::runtime_error("\"" + o.mdbPath + "\" already exists; add --force to replace it");
    const Plan plan = planColumns(o);

    std::ifstream in = openCsv(o.csvPath);
    CsvReader reader(in);
    JetWriter writer(o.table, plan.columns);
    CsvRecord record;
    std::vector<JetValue> values(plan.columns.size());
    std::size_t done = 0;
    while (reader.next(record)) {
        for (std::size_t i = 0; i < record.size(); ++i) {
            if (!record[i]) {
                values[i] = std::monostate{};
                continue;
            }
            switch (plan.columns[i].type) {
            case JetColumnType::Double: values[i] = parseDouble(*record[i], reader.position(i)); break;
            case JetColumnType::Long: values[i] = parseLong(*record[i], reader.position(i)); break;
            default: values[i] = std::move(*record[i]); break;
            }
        }
        try {
            writer.addRow(values);
        } catch (const std::invalid_argument& e) {
            throw CsvError(reader.position(0), e.what());
        }
        if (++done % 20000 == 0 && progress)
            progress(done, plan.rows);
    }
    if (done != plan.rows)
        throw std::runtime_error("\"" + o.csvPath + "\" changed while it was being imported");
    const auto image =
        writer.finish(o.signature == Signature::Working ? FileSignature::Working : FileSignature::AtRest);
    writeFileAtomically(o.mdbPath, image.data(), image.size(), o.force);
    if (progress)
        progress(done, plan.rows);
    return done;
}

} // namespace bearing::catalog
