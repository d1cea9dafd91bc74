// Writes CSV in the form CsvReader reads, so that an export imports back unchanged.
#pragma once

#include "tools/catalog/csv_reader.h"
#include "tools/catalog/text_encoding.h"

#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace bearing::cli {

// Records end in LF; Null is an empty unquoted field and empty text is "".
// Text goes out in `encoding`: UTF-8 without a byte-order mark by default, and
// UTF-16LE or UTF-16BE with one, which Excel needs to recognise them. Output is
// gathered in a buffer and handed to the stream in large pieces; flush() (or
// the destructor) writes out the rest.
class CsvWriter {
  public:
    // Throws EncodingError when the system does not know `encoding`.
    explicit CsvWriter(std::ostream& out, char delimiter = ',',
                       const std::string& encoding = std::string(kUtf8));
    CsvWriter(const CsvWriter&) = delete;
    CsvWriter& operator=(const CsvWriter&) = delete;
    // Writes out what is left; a failure here goes unreported, so callers that
    // care call flush() first.
    ~CsvWriter();

    void writeHeader(const std::vector<std::string>& names);
    void writeRecord(const CsvRecord& fields);

    // A record field by field, for callers that hold no record: fields, then
    // endRecord(). Throws EncodingError when the record holds a character the
    // encoding cannot, naming the row (the header is row 1).
    void writeField(std::optional<std::string_view> value);
    void endRecord();

    // Hands the buffered text to the stream and flushes it. Throws
    // std::runtime_error when the stream has failed.
    void flush();

  private:
    void encodeRecord();
    void spill();

    std::ostream& m_out;
    char m_delimiter;
    std::string m_encodingName;
    std::unique_ptr<TextConverter> m_encoder;
    std::string m_buffer;
    std::string m_encoded;
    std::size_t m_recordStart = 0;
    std::size_t m_row = 0;
    bool m_fieldStarted = false;
};

} // namespace bearing::cli
