// One field of CSV text, shared by the window's export and bearing-catalog's.
#include "db/csv_field.h"

namespace bearing {

void appendQuotedField(std::string& out, std::string_view text) {
    out += '"';
    for (std::size_t start = 0;;) {
        const std::size_t quote = text.find('"', start);
        out += text.substr(start, quote == std::string_view::npos ? quote : quote + 1 - start);
        if (quote == std::string_view::npos)
            break;
        out += '"';
        start = quote + 1;
    }
    out += '"';
}

void appendCsvField(std::string& out, std::string_view text, char delimiter) {
    // Spreadsheets trim the spaces around an unquoted field, and a model written " 6204" must
    // keep its space.
    const bool quoted = text.empty() || text.find_first_of("\"\r\n") != std::string_view::npos ||
                        text.find(delimiter) != std::string_view::npos || text.front() == ' ' ||
                        text.back() == ' ';
    if (quoted)
        appendQuotedField(out, text);
    else
        out += text;
}

} // namespace bearing
