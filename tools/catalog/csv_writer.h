// Writes CSV in the form CsvReader reads, so that an export imports back unchanged.
#pragma once

#include "tools/catalog/csv_reader.h"

#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace bearing::catalog {

// Records end in LF, no byte-order mark; Null is an empty unquoted field and
// empty text is "". Output is gathered in a buffer and handed to the stream in
// large pieces; flush() (or the destructor) writes out the rest.
class CsvWriter {
  public:
    explicit CsvWriter(std::ostream& out);
    CsvWriter(const CsvWriter&) = delete;
    CsvWriter& operator=(const CsvWriter&) = delete;
    // Writes out what is left; a failure here goes unreported, so callers that
    // care call flush() first.
    ~CsvWriter();

    void writeHeader(const std::vector<std::string>& names);
    void writeRecord(const CsvRecord& fields);

    // A record field by field, for callers that hold no record: fields, then endRecord().
    void writeField(std::optional<std::string_view> value);
    void endRecord();

    // Hands the buffered text to the stream and flushes it. Throws
    // std::runtime_error when the stream has failed.
    void flush();

  private:
    void writeText(std::string_view text);
    void spill();

    std::ostream& m_out;
    std::string m_buffer;
    bool m_fieldStarted = false;
};

} // namespace bearing::catalog
