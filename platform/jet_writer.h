// Writes a complete Jet 4.0 database file holding one user table.
#pragma once

#include "platform/file_signature.h"

#include <cstdint>
#include <memory>
#include <string>
#include <variant>
#include <vector>

namespace bearing {

enum class JetColumnType : std::uint8_t {
    Long = 0x04,
    Double = 0x07,
    Text = 0x0A, // up to 255 characters
    Memo = 0x0C, // longer text
};

struct JetColumnSpec {
    std::string name;
    JetColumnType type = JetColumnType::Text;
};

// One cell: Null, text (UTF-8, for Text and Memo), a Long or a Double.
using JetValue = std::variant<std::monostate, std::string, std::int32_t, double>;

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
