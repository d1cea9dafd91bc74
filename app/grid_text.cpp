// The result grid's rows as tab-separated text and as CSV.
#include "app/grid_text.h"

#include "db/csv_field.h"

namespace bearing {

namespace {

using AppendField = void (*)(std::string&, std::optional<std::string_view>);

struct TextForm {
    AppendField field;
    char separator;
    std::string_view lineEnd;
};

constexpr TextForm kTabSeparated{appendTabSeparatedField, '\t', "\n"};
// CR LF is RFC 4180's line end, and the one spreadsheets on every system read.
constexpr TextForm kCsv{appendCsvField, ',', "\r\n"};
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

void appendTitles(std::string& out, const TextForm& form, const std::vector<TextColumn>& columns) {
    for (std::size_t i = 0; i < columns.size(); ++i) {
        if (i > 0)
            out += form.separator;
        form.field(out, columns[i].title);
    }
    out += form.lineEnd;
}

void appendRecord(std::string& out, const TextForm& form, const ResultSet& rows,
                  const std::vector<TextColumn>& columns, std::size_t position) {
    for (std::size_t i = 0; i < columns.size(); ++i) {
        if (i > 0)
            out += form.separator;
        const int column = columns[i].tableColumn;
        form.field(out, column < 0 ? std::nullopt : rows.value(position, std::size_t(column)));
    }
    out += form.lineEnd;
}

} // namespace

void appendTabSeparatedField(std::string& out, std::optional<std::string_view> value) {
    if (!value)
        return;
    if (value->find_first_of("\t\r\n\"") == std::string_view::npos)
        out += *value;
    else
        appendQuotedField(out, *value);
}

void appendCsvField(std::string& out, std::optional<std::string_view> value) {
    if (value)
        appendCsvField(out, *value, ',');
}

std::string tabSeparatedRows(const ResultSet& rows, const std::vector<TextColumn>& columns,
                             const std::vector<std::size_t>& positions) {
    std::string out;
    appendTitles(out, kTabSeparated, columns);
    for (const std::size_t position : positions)
        appendRecord(out, kTabSeparated, rows, columns, position);
    return out;
}

std::string csvFile(const ResultSet& rows, const std::vector<TextColumn>& columns) {
    std::string out(kByteOrderMark);
    appendTitles(out, kCsv, columns);
    for (std::size_t position = 0; position < rows.recordCount(); ++position)
        appendRecord(out, kCsv, rows, columns, position);
    return out;
}

} // namespace bearing
