// bearing-catalog import: a CSV file becomes a Jet 4.0 catalogue file.
#pragma once

#include "tools/catalog/options.h"

#include <functional>

namespace bearing::catalog {

// Reports progress as (rows done, rows in all).
using ImportProgress = std::function<void(std::size_t, std::size_t)>;

// Reads the CSV twice: once to check every value and choose Text or Memo for
// each text column, once to write. The file appears complete or not at all.
// Returns the number of rows written. Throws CsvError, FileError or
// std::runtime_error with the message for the user.
std::size_t runImport(const ImportOptions& options, const ImportProgress& progress);

} // namespace bearing::catalog
