// bearing-catalog sql and query: statements and searches without the window.
#pragma once

#include "tools/catalog/options.h"

#include <ostream>

namespace bearing::cli {

// Runs a statement on a catalogue file that carries the working signature and
// prints every column of the result as CSV; the record count goes to `log`.
void runSql(const SqlOptions& options, std::ostream& out, std::ostream& log);

// The window's search: a full search run on bde.mdb in the current directory,
// printing the grid's seven columns as CSV in result order; the result caption
// (and a connection failure, where the window shows its box) go to `log`.
void runQuery(const QueryOptions& options, std::ostream& out, std::ostream& log);

} // namespace bearing::cli
