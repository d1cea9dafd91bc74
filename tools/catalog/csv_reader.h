// Reads a UTF-8 CSV file one record at a time, keeping Null apart from empty text.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <istream>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace bearing::cli {

// One record: std::nullopt for an empty unquoted field (Null), a string otherwise
// (a quoted "" is empty text).
using CsvRecord = std::vector<std::optional<std::string>>;

// Where a field sits in the file, as the user counts: 1-based line and column.
// `name` is the header name, empty where the column has none.
struct CsvPosition {
    std::size_t line = 0;
    std::size_t column = 0;
    std::string_view name;
};

// A fault in the CSV input; what() reads "line L, column C (NAME): problem".
class CsvError : public std::runtime_error {
  public:
    CsvError(const CsvPosition& position, std::string_view problem);

    [[nodiscard]] std::size_t line() const { return m_line; }
    [[nodiscard]] std::size_t column() const { return m_column; }

  private:
    std::size_t m_line;
    std::size_t m_column;
};

// How the text is laid out, beyond RFC 4180.
struct CsvFormat {
    // The field separator; '\0' takes the one the header line uses most of
    // comma, tab and semicolon (a comma where it has none).
    char delimiter = ',';
    // What the message says of the first byte that is not UTF-8 text, given
    // that byte; by default "invalid UTF-8 (byte 0xC9)".
    std::function<std::string(unsigned char)> undecodable;
};

class CsvReader {
  public:
    // Reads the header row at once, so a reader that exists has valid column
    // names. Throws CsvError for an empty input or a bad header.
    explicit CsvReader(std::istream& in, CsvFormat format = {});

    // The field separator in use.
    [[nodiscard]] char delimiter() const { return m_format.delimiter; }

    [[nodiscard]] const std::vector<std::string>& header() const { return m_header; }

    // Reads the next record into `fields` (resized to the header's width, its
    // strings reused); false at the end of the input. Empty lines before the
    // end are dropped (spreadsheets often end with one) unless the table has a
    // single column, whose empty line is a Null field. Throws CsvError on a
    // malformed or ragged record.
    [[nodiscard]] bool next(CsvRecord& fields);

    // Where field `index` (0-based) of the record last read by next() starts.
    // The name refers into header() and lives as long as the reader.
    [[nodiscard]] CsvPosition position(std::size_t index) const;

  private:
    enum class FieldEnd { Delimiter, Line, File };

    void readHeader();
    [[nodiscard]] bool onlyEmptyLinesLeft();
    [[nodiscard]] char delimiterOfHeaderLine() const;
    FieldEnd readField(std::string& text, bool& quoted, std::size_t index);
    FieldEnd readQuoted(std::string& text, std::size_t index);
    FieldEnd readUnquoted(std::string& text, std::size_t index);
    FieldEnd finishField(std::size_t index);
    void checkUtf8(std::string_view text, std::size_t firstLine, std::size_t index) const;
    [[nodiscard]] CsvPosition positionAt(std::size_t line, std::size_t index) const;
    [[nodiscard]] bool fill();

    std::istream& m_in;
    CsvFormat m_format;
    std::vector<char> m_buffer;
    std::size_t m_pos = 0;
    std::size_t m_end = 0;
    std::size_t m_line = 1;
    // Empty lines read past while looking for the end of the input.
    std::size_t m_emptyLines = 0;
    std::vector<std::string> m_header;
    std::vector<std::size_t> m_fieldLines;
};

// Parses the text of a --double column: a finite decimal number such as 47,
// -0.1 or 1e-7, nothing around it. Throws CsvError at `position` otherwise.
[[nodiscard]] double parseDouble(std::string_view text, const CsvPosition& position);

// Parses the text of a --long column: a 32-bit signed whole number. Throws
// CsvError at `position` otherwise.
[[nodiscard]] std::int32_t parseLong(std::string_view text, const CsvPosition& position);

} // namespace bearing::cli
