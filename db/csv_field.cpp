// One field of CSV text, shared by the window's export and bearing-catalog's.
#include "db/csv_field.h"

#include <algorithm>

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

namespace {

// Most fields are a few bytes long: one pass over them costs less than a
// search of the whole field for each byte that needs quotes.
bool needsQuotes(std::string_view text, char delimiter) {
    // Spreadsheets trim the spaces around an unquoted field, and a model written " 6204" must
    // keep its space.
    if (text.empty() || text.front() == ' ' || text.back() == ' ')
        return true;
    return std::any_of(text.begin(), text.end(), [delimiter](char c) {
        return c == '"' || c == '\r' || c == '\n' || c == delimiter;
    });
}

} // namespace

void appendCsvField(std::string& out, std::string_view text, char delimiter) {
    if (needsQuotes(text, delimiter))
        appendQuotedField(out, text);
    else
        out += text;
}

} // namespace bearing
