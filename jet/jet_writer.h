// Writes a complete Jet 4.0 database file holding one user table.
#pragma once

#include "jet/file_signature.h"

#include <cstdint>
#include <memory>
#include <string>
#include <variant>
#include <vector>

namespace bearing {

enum class JetColumnType : std::uint8_t {
    Boolean = 0x01, // yes/no, held in the row's Null mask
    Long = 0x04,
    Currency = 0x05, // ten-thousandths, 64 bits
    Double = 0x07,
    DateTime = 0x08, // days since 1899-12-30, the time as the fraction
    Binary = 0x09,   // up to 255 bytes
    Text = 0x0A,     // up to 255 characters
    Memo = 0x0C,     // longer text
};

struct JetColumnSpec {
    std::string name;
    JetColumnType type = JetColumnType::Text;
};

struct JetCurrency {
    std::int64_t tenThousandths = 0;
};

struct JetBytes {
    std::vector<unsigned char> bytes;
};

// One cell: Null, text (UTF-8, for Text and Memo), a Long, a Double (also for
// DateTime), a yes/no value, an amount of money or raw bytes. A Boolean column
// has no Null: Null is written as false.
using JetValue =
    std::variant<std::monostate, std::string, std::int32_t, double, bool, JetCurrency, JetBytes>;

// Rows are added one by one; finish() returns the whole file image. Pages are
// laid out the way the database's own engine lays out a freshly compacted file:
// database definition page, global usage map, the system catalogue at page 2,
// then the user table's definition, usage maps, data and long-value pages.
class JetWriter {
  public:
    JetWriter(std::string tableName, std::vector<JetColumnSpec> columns);
    ~JetWriter();
    JetWriter(const JetWriter&) = delete;
    JetWriter& operator=(const JetWriter&) = delete;

    // Throws std::invalid_argument with a message naming the column when a
    // value does not suit its column (wrong kind, text too long, row too big).
    void addRow(const std::vector<JetValue>& values);

    [[nodiscard]] std::size_t rowCount() const;

    // The complete file with the given 16-byte signature at its start.
    [[nodiscard]] std::vector<unsigned char> finish(FileSignature signature);

  private:
    struct State;
    std::unique_ptr<State> m_state;
};

} // namespace bearing
