// One field of CSV text, as the window's export and the command line's export both write it.
#pragma once

#include <string>
#include <string_view>

namespace bearing {

// Appends `text` in double quotes, a quote inside it doubled.
void appendQuotedField(std::string& out, std::string_view text);

// Appends `text` as a field of CSV separated by `delimiter`, in quotes only where a reader
// needs them: empty text (which keeps it apart from Null, written as nothing), a quote, a line
// break or the delimiter inside, or a space at either end.
void appendCsvField(std::string& out, std::string_view text, char delimiter);

} // namespace bearing
