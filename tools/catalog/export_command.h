// bearing-catalog export: a table of a catalogue file as CSV.
#pragma once

#include "tools/catalog/options.h"

#include <ostream>

namespace bearing::cli {

// Writes the table as CSV in the form import reads. Files in either signature
// state are read. Throws with the message for the user.
void runExport(const ExportOptions& options, std::ostream& out);

} // namespace bearing::cli
