#include "jet/jet_row_decoding.h"

#include "jet/jet_long_values.h"
#include "jet/jet_page.h"
#include "jet/jet_read_error.h"
#include "jet/jet_values.h"
#include "sql/number_text.h"

#include <cstdint>
#include <cstring>

namespace bearing::jet {

namespace {

// The Decimal column's value: a sign byte, then the magnitude as four 32-bit
// little-endian words, the most significant first.
constexpr std::size_t kDecimalSize = 17;
constexpr std::size_t kGuidSize = 16;

} // namespace

void RowDecoder::appendRow(Table& table, const std::vector<const MdbColumn*>& columns,
                           const std::vector<MdbField>& fields) {
    // A memo lookup swaps pages only in the alternate buffer, so the cracked
    // fields stay valid throughout the row.
    for (const MdbField& field : fields)
        appendValue(table, *columns[static_cast<unsigned>(field.colnum)], field);
}

void RowDecoder::appendValue(Table& table, const MdbColumn& col, const MdbField& f) {
    const auto* v = static_cast<const unsigned char*>(f.value);
    if (col.col_type == MDB_BOOL) {
        // A yes/no value lives in the Null mask itself and is never Null.
        table.appendText(f.is_null ? "False" : "True");
        return;
    }
    if (f.is_null || !v) {
        table.appendNull();
        return;
    }
    const auto size = static_cast<std::size_t>(f.siz);
    auto needs = [&](std::size_t n) {
        if (size < n)
            corrupt(JetReader::tr("列“%1”的值太短。").arg(QString::fromUtf8(col.name)));
    };
    switch (col.col_type) {
    case MDB_BYTE:
        needs(1);
        table.appendText(std::to_string(v[0]));
        return;
    case MDB_INT:
        needs(2);
        table.appendText(std::to_string(static_cast<std::int16_t>(get16(v, 0))));
        return;
    case MDB_LONGINT:
        needs(4);
        table.appendText(std::to_string(static_cast<std::int32_t>(get32(v, 0))));
        return;
    case MDB_MONEY: {
        needs(8);
        const std::uint64_t raw = get32(v, 0) | (static_cast<std::uint64_t>(get32(v, 4)) << 32);
        table.appendText(formatMoney(static_cast<std::int64_t>(raw)));
        return;
    }
    case MDB_FLOAT: {
        needs(4);
        float x;
        std::memcpy(&x, v, 4);
        table.appendText(formatSingle(x));
        return;
    }
    case MDB_DOUBLE:
    case MDB_DATETIME: {
        needs(8);
        double x;
        std::memcpy(&x, v, 8);
        table.appendText(col.col_type == MDB_DOUBLE ? formatDouble(x) : formatDate(x));
        return;
    }
    case MDB_NUMERIC: {
        needs(kDecimalSize);
        unsigned __int128 magnitude = 0;
        for (std::size_t word = 0; word < 4; ++word)
            magnitude = (magnitude << 32) | get32(v, 1 + 4 * word);
        // The column entry holds the precision, then the scale; libmdb
        // names the two the other way round.
        table.appendText(
            formatDecimal(magnitude, (v[0] & 0x80) != 0, static_cast<unsigned>(col.col_prec)));
        return;
    }
    case MDB_REPID:
        needs(kGuidSize);
        table.appendText(guid(v));
        return;
    case MDB_TEXT:
        m_scratch.clear();
        appendText(m_scratch, v, size);
        table.appendText(m_scratch);
        return;
    case MDB_MEMO: {
        const std::string bytes = memoBytes(m_mdb, m_pages, v, size);
        m_scratch.clear();
        appendText(m_scratch, reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
        table.appendText(m_scratch);
        return;
    }
    case MDB_OLE:
        table.appendText("(OLE)");
        return;
    default:
        // Binary, and a type the engine does not write (only a damaged
        // definition has one): the bytes as they are, never libmdb's guess
        // with its warning. A search on such a column is refused by type.
        table.appendText(hex(v, size));
        return;
    }
}

void RowDecoder::appendText(std::string& out, const unsigned char* bytes, std::size_t size) const {
    if (m_codePage)
        m_codePage->append(out, bytes, size);
    else
        appendJetTextAsUtf8(out, bytes, size);
}

} // namespace bearing::jet
