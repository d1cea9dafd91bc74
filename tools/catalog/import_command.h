// bearing-catalog import: a CSV file becomes a Jet 4.0 catalogue file.
#pragma once

#include "tools/catalog/options.h"

#include <functional>
#include <string>

namespace bearing::cli {

// Reports progress as (rows done, rows in all).
using ImportProgress = std::function<void(std::size_t, std::size_t)>;

struct ImportSummary {
    std::size_t rows = 0;
    // The encoding the CSV was read in, as iconv names it.
    std::string encoding;
};

// Settles the CSV's encoding, then reads it twice: once to check every value
// and choose Text or Memo for each text column, once to write. The file
// appears complete or not at all. Throws CsvError, EncodingError, FileError or
// std::runtime_error with the message for the user.
ImportSummary runImport(const ImportOptions& options, const ImportProgress& progress);

} // namespace bearing::cli
