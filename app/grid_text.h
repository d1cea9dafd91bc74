// The result grid's rows as text for other programs: tab-separated to paste, CSV for files.
#pragma once

#include "db/result_set.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace bearing {

// One grid column as written out.
struct TextColumn {
    // The title as the grid shows it, less the sort marker.
    std::string title;
    // The result set's column holding the values; -1 leaves every cell empty.
    int tableColumn = -1;
};

// Appends a cell as spreadsheets read pasted text: a value holding a tab, CR, LF or a double quote
// is quoted, its quotes doubled, so it stays one cell. Null and empty text are both empty.
void appendTabSeparatedField(std::string& out, std::optional<std::string_view> value);

// Appends a CSV field quoted as bearing-catalog export quotes it: Null is empty and empty text is
// "", so the two stay apart.
void appendCsvField(std::string& out, std::optional<std::string_view> value);

// The title row, then the records at `positions` of `rows`; every line ends in LF.
[[nodiscard]] std::string tabSeparatedRows(const ResultSet& rows,
                                           const std::vector<TextColumn>& columns,
                                           const std::vector<std::size_t>& positions);

// A UTF-8 file with a byte-order mark: the title row, then every record of `rows` in its current
// order; every line ends in CR LF.
[[nodiscard]] std::string csvFile(const ResultSet& rows, const std::vector<TextColumn>& columns);

} // namespace bearing
