// Reads Jet 3 and Jet 4.0 tables through libmdb. libmdb finds the table
// definitions and the pages a table owns; the rows are found here (deleted and
// moved rows as the engine's own scan treats them), cracked with libmdb's
// mdb_crack_row, and the values decoded here, so that numbers get the engine's
// text form and Null stays distinct from empty text. The system catalogue is
// read here the same way, not through mdb_read_catalog, which parses every
// object's property blob without bounds (a damaged one loops until memory runs
// out) and copies names into fixed-size buffers.
#include "jet/jet_reader.h"

#include "jet/jet_page.h"
#include "jet/jet_text.h"
#include "sql/number_text.h"
#include "sql/sql_text.h"

#include <QCoreApplication>

#include <mdbtools.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>

namespace bearing {

namespace {

using jet::get16;
using jet::get32;

constexpr std::uint32_t kRowOffsetMask = 0x1FFF;
// A row's offset word: a deleted row, whatever its offset says, and a row
// moved to another page, whose place holds a pointer to where it went. The
// row it went to is flagged deleted, so that a scan meets it only through the
// pointer, in its original place.
constexpr std::uint32_t kRowDeleted = 0x8000;
constexpr std::uint32_t kRowMoved = 0x4000;
constexpr std::uint32_t kCataloguePage = 2;
// The table definition as libmdb reads it: its continuation pages carry an
// 8-byte header, then the definition goes on.
constexpr std::size_t kDefinitionPageHeader = 8;
// Enough for any chain of moves the engine makes; a longer one loops.
constexpr int kMaxMoves = 16;
// The Decimal column's value: a sign byte, then the magnitude as four 32-bit
// little-endian words, the most significant first.
constexpr std::size_t kDecimalSize = 17;
constexpr std::size_t kGuidSize = 16;

// lupdate gathers the reader's texts into this one context.
class JetReader {
    Q_DECLARE_TR_FUNCTIONS(JetReader)
};

[[noreturn]] void fail(const QString& message) {
    throw JetFormatError(message.toStdString());
}

[[noreturn]] void corrupt(const QString& what) {
    fail(JetReader::tr("数据库文件已损坏：%1").arg(what));
}

struct Header {
    const jet::Format* format;
    unsigned codePage;
};

// Checks what libmdb takes on trust from page 0: a Jet 3 or Jet 4 header,
// whole pages of the size its version has, and no encryption (an encrypted
// file would be "decrypted" into garbage).
Header checkHeader(const std::vector<unsigned char>& image) {
    if (image.size() < jet::kHeaderCryptOffset + jet::kHeaderCryptLength)
        fail(JetReader::tr("不是完整的 Jet 数据库文件：文件只有 %1 字节。").arg(image.size()));
    static constexpr char kJet[] = "standard jet";
    bool jet = image[0] == 0 && image[1] == 1 && image[2] == 0 && image[3] == 0;
    for (std::size_t i = 0; jet && i < 12; ++i) {
        const auto c = static_cast<unsigned char>(image[4 + i]);
        jet = (c | 0x20) == static_cast<unsigned char>(kJet[i]);
    }
    if (!jet)
        fail(JetReader::tr("不是 Jet 数据库文件：文件开头没有 Jet 数据库的标志。"));
    const std::uint32_t version = get32(image.data(), 0x14);
    if (version > 1)
        fail(JetReader::tr("不是 Jet 3 或 Jet 4.0 数据库文件（版本号 %1，可能是 Access 2007 以后的 "
                           "accdb 格式）。")
                 .arg(version));
    const jet::Format& format = version == 0 ? jet::kJet3 : jet::kJet4;
    if (image.size() < 3 * format.pageSize)
        fail(JetReader::tr("不是完整的 %1 数据库文件：文件只有 %2 字节。")
                 .arg(QString::fromUtf8(format.name), QString::number(image.size())));
    if (image.size() % format.pageSize != 0)
        fail(JetReader::tr(
                 "数据库文件不完整：大小 %1 字节不是整页（每页 %2 字节），文件可能被截断。")
                 .arg(QString::number(image.size()), QString::number(format.pageSize)));
    unsigned char block[jet::kHeaderCryptLength];
    std::memcpy(block, image.data() + jet::kHeaderCryptOffset, sizeof block);
    jet::rc4(jet::kHeaderKey.data(), jet::kHeaderKey.size(), block, sizeof block);
    if (get32(block, jet::kDatabaseKeyOffset - jet::kHeaderCryptOffset) != 0)
        fail(JetReader::tr("数据库文件已加密，无法读取。"));
    const unsigned char* catalogue = image.data() + 2 * format.pageSize;
    if (catalogue[0] != 0x02 || catalogue[1] != 0x01)
        corrupt(JetReader::tr("第 2 页不是系统表 MSysObjects 的定义。"));
    return {&format, get16(block, jet::kCodePageOffset - jet::kHeaderCryptOffset)};
}

ValueKind kindOf(int type) {
    switch (type) {
    case MDB_BYTE:
    case MDB_INT:
    case MDB_LONGINT:
    case MDB_MONEY:
    case MDB_FLOAT:
    case MDB_DOUBLE:
    case MDB_NUMERIC:
        return ValueKind::Number;
    default:
        return ValueKind::Text;
    }
}

StoredType storedTypeOf(int type) {
    switch (type) {
    case MDB_BYTE:
    case MDB_INT:
    case MDB_LONGINT:
    case MDB_FLOAT:
    case MDB_DOUBLE:
    case MDB_NUMERIC:
        return StoredType::Number;
    case MDB_MONEY:
        return StoredType::Currency;
    case MDB_BOOL:
        return StoredType::YesNo;
    case MDB_DATETIME:
        return StoredType::DateTime;
    case MDB_TEXT:
        return StoredType::Text;
    case MDB_MEMO:
        return StoredType::Memo;
    case MDB_BINARY:
        return StoredType::Binary;
    case MDB_OLE:
        return StoredType::Ole;
    case MDB_REPID:
        return StoredType::ReplicationId;
    default:
        return StoredType::Other;
    }
}

std::string formatMoney(std::int64_t tenThousandths) {
    const bool negative = tenThousandths < 0;
    const std::uint64_t v = negative ? 0 - static_cast<std::uint64_t>(tenThousandths)
                                     : static_cast<std::uint64_t>(tenThousandths);
    std::string s = (negative ? "-" : "") + std::to_string(v / 10000);
    std::string frac = std::to_string(10000 + v % 10000).substr(1);
    while (!frac.empty() && frac.back() == '0')
        frac.pop_back();
    if (!frac.empty())
        s += "." + frac;
    return s;
}

// Days since 1899-12-30 with the time as the fraction; negative dates count
// whole days back but the time forward, as the engine stores them.
std::string formatDate(double oleDate) {
    if (!std::isfinite(oleDate) || std::fabs(oleDate) > 3e6)
        return formatDouble(oleDate);
    double day = std::trunc(oleDate);
    double frac = std::fabs(oleDate - day);
    auto seconds = static_cast<long long>(std::llround(frac * 86400.0));
    if (seconds >= 86400) {
        seconds -= 86400;
        day += oleDate < 0 ? -1 : 1;
    }
    // Civil date from days since 1970-01-01 (Howard Hinnant's algorithm).
    long long z = static_cast<long long>(day) - 25569 + 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const long long doe = z - era * 146097;
    const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    long long y = yoe + era * 400;
    const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long long mp = (5 * doy + 2) / 153;
    const long long d = doy - (153 * mp + 2) / 5 + 1;
    const long long m = mp + (mp < 10 ? 3 : -9);
    y += m <= 2;
    char buf[96];
    if (seconds == 0)
        std::snprintf(buf, sizeof buf, "%04lld-%02lld-%02lld", y, m, d);
    else
        std::snprintf(buf, sizeof buf, "%04lld-%02lld-%02lld %02lld:%02lld:%02lld", y, m, d,
                      seconds / 3600, seconds / 60 % 60, seconds % 60);
    return buf;
}

std::string hex(const unsigned char* p, std::size_t n) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string s;
    s.reserve(2 * n);
    for (std::size_t i = 0; i < n; ++i) {
        s.push_back(kDigits[p[i] >> 4]);
        s.push_back(kDigits[p[i] & 0xF]);
    }
    return s;
}

// A Replication ID in the engine's text form: the first three groups are
// stored little-endian.
std::string guid(const unsigned char* p) {
    char buf[40];
    std::snprintf(buf, sizeof buf, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                  static_cast<unsigned>(get32(p, 0)), static_cast<unsigned>(get16(p, 4)),
                  static_cast<unsigned>(get16(p, 6)), p[8], p[9], p[10], p[11], p[12], p[13], p[14],
                  p[15]);
    return buf;
}

std::optional<std::int64_t> integerCell(const Table& table, std::size_t row, std::size_t column) {
    const auto text = table.cell(row, column);
    std::int64_t value = 0;
    if (!text ||
        std::from_chars(text->data(), text->data() + text->size(), value).ec != std::errc())
        return std::nullopt;
    return value;
}

} // namespace

struct JetDatabase::Handle {
    struct TableEntry {
        std::string name;
        std::uint32_t definitionPage;
        bool system;
    };

    MdbHandle* mdb = nullptr;
    const unsigned char* image = nullptr;
    const jet::Format* format = nullptr;
    std::size_t pageSize = 0;
    std::uint32_t pageCount = 0;
    // Jet 3 text, in the code page the header names; Jet 4 text is UCS-2.
    std::optional<CodePageDecoder> codePage;
    std::vector<TableEntry> tables;

    ~Handle() {
        if (mdb)
            mdb_close(mdb);
    }

    // `what` is marked for translation where it is written; `table` fills its %1.
    void checkPage(std::uint32_t page, const char* what, const std::string& table = {}) const {
        if (page >= pageCount)
            corrupt(JetReader::tr("%1指向第 %2 页，但文件只有 %3 页，文件可能被截断。")
                        .arg(table.empty() ? JetReader::tr(what)
                                           : JetReader::tr(what).arg(QString::fromStdString(table)),
                             QString::number(page), QString::number(pageCount)));
    }

    // Reads a long value's bytes from the page/row it points at.
    std::string longValueRow(std::uint32_t pgRow, std::uint32_t& next, bool chained) const {
        checkPage(pgRow >> 8, QT_TRANSLATE_NOOP("JetReader", "长文本"));
        void* buf = nullptr;
        int start = 0;
        std::size_t len = 0;
        if (mdb_find_pg_row(mdb, static_cast<int>(pgRow), &buf, &start, &len) != 0)
            corrupt(JetReader::tr("长文本的位置无效（第 %1 页）。").arg(pgRow >> 8));
        const auto* p = static_cast<const unsigned char*>(buf) + start;
        if (!chained)
            return std::string(reinterpret_cast<const char*>(p), len);
        if (len < 4)
            corrupt(JetReader::tr("长文本的链接无效（第 %1 页）。").arg(pgRow >> 8));
        next = get32(p, 0);
        return std::string(reinterpret_cast<const char*>(p + 4), len - 4);
    }

    // The stored bytes of a memo from its 12-byte field in the row.
    std::string memoBytes(const unsigned char* field, std::size_t size) const {
        if (size < 12)
            corrupt(JetReader::tr("长文本字段太短。"));
        const std::uint32_t header = get32(field, 0);
        const std::uint32_t length = header & 0x3FFFFFFF;
        if (header & 0x80000000u)
            return std::string(reinterpret_cast<const char*>(field + 12),
                               std::min<std::size_t>(length, size - 12));
        std::uint32_t next = 0;
        if (header & 0x40000000u) {
            std::string bytes = longValueRow(get32(field, 4), next, false);
            if (bytes.size() > length)
                bytes.resize(length);
            return bytes;
        }
        std::string bytes;
        std::uint32_t at = get32(field, 4);
        // A chain longer than the file has pages must loop back on itself.
        for (std::uint32_t hops = 0; at != 0 && bytes.size() < length; ++hops) {
            if (hops > pageCount)
                corrupt(JetReader::tr("长文本的链接形成了循环。"));
            bytes += longValueRow(at, next, true);
            at = next;
        }
        if (bytes.size() > length)
            bytes.resize(length);
        return bytes;
    }

    void appendValue(Table& table, const MdbColumn& col, const MdbField& f,
                     std::string& scratch) const {
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
            scratch.clear();
            appendText(scratch, v, size);
            table.appendText(scratch);
            return;
        case MDB_MEMO: {
            const std::string bytes = memoBytes(v, size);
            scratch.clear();
            appendText(scratch, reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
            table.appendText(scratch);
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

    void appendText(std::string& out, const unsigned char* bytes, std::size_t size) const {
        if (codePage)
            codePage->append(out, bytes, size);
        else
            appendJetTextAsUtf8(out, bytes, size);
    }

    // Where row `row` of the page in mdb->pg_buf lies: it ends where the row
    // before it starts (row 0 at the end of the page) and must not reach into
    // the row offsets.
    void rowBounds(std::uint32_t page, std::uint32_t row, int& start, std::size_t& len) const {
        const unsigned char* pg = mdb->pg_buf;
        const std::size_t rows = get16(pg, format->rowCountOffset);
        const std::size_t begin = get16(pg, format->rowCountOffset + 2 + 2 * row) & kRowOffsetMask;
        const std::size_t end =
            row == 0 ? pageSize : get16(pg, format->rowCountOffset + 2 * row) & kRowOffsetMask;
        if (row >= rows || begin < format->rowCountOffset + 2 + 2 * rows || begin >= end ||
            end > pageSize)
            corrupt(JetReader::tr("第 %1 页第 %2 行的位置无效。")
                        .arg(QString::number(page), QString::number(row)));
        start = static_cast<int>(begin);
        len = end - begin;
    }

    // Cracks row `row` of the page in mdb->pg_buf into `fields`; false for a
    // deleted row, whose offset is not looked at. A moved row is followed to
    // the page it went to, which is left in mdb->pg_buf.
    bool crack(MdbTableDef* def, std::uint32_t page, std::uint32_t row,
               std::vector<MdbField>& fields) const {
        std::uint32_t word = get16(mdb->pg_buf, format->rowCountOffset + 2 + 2 * row);
        if (word & kRowDeleted)
            return false;
        int start = 0;
        std::size_t len = 0;
        std::uint32_t at = page;
        rowBounds(at, row, start, len);
        for (int moves = 0; word & kRowMoved; ++moves) {
            if (len < 4)
                corrupt(JetReader::tr("第 %1 页第 %2 行的转移指针无效。")
                            .arg(QString::number(at), QString::number(row)));
            if (moves == kMaxMoves)
                corrupt(JetReader::tr("第 %1 页的一行的转移指针形成了循环。").arg(page));
            const std::uint32_t target = get32(mdb->pg_buf, static_cast<std::size_t>(start));
            at = target >> 8;
            row = target & 0xFF;
            checkPage(at, QT_TRANSLATE_NOOP("JetReader", "转移的行"));
            if (mdb_read_pg(mdb, at) != static_cast<ssize_t>(pageSize))
                corrupt(JetReader::tr("无法读取第 %1 页。").arg(at));
            if (mdb->pg_buf[0] != 0x01 ||
                get32(mdb->pg_buf, 4) != get32(image + std::size_t{page} * pageSize, 4))
                corrupt(
                    JetReader::tr("第 %1 页的一行转移到了第 %2 页，但那一页不是同一个表的数据页。")
                        .arg(QString::number(page), QString::number(at)));
            word = get16(mdb->pg_buf, format->rowCountOffset + 2 + 2 * row);
            rowBounds(at, row, start, len);
        }
        if (mdb_crack_row(def, start, len, fields.data()) < 0)
            corrupt(JetReader::tr("第 %1 页有一行无法解析。").arg(at));
        // mdb_crack_row bounds a value's end by the row's but lets a variable
        // offset table that runs backwards through as a negative size.
        const auto rowEnd = static_cast<std::size_t>(start) + len;
        for (const MdbField& f : fields) {
            if (f.value &&
                (f.siz < 0 || f.start < start ||
                 static_cast<std::size_t>(f.start) + static_cast<std::size_t>(f.siz) > rowEnd))
                corrupt(JetReader::tr("第 %1 页有一行的值超出了该行。").arg(at));
        }
        return true;
    }

    // libmdb reads the column entries and names on from the definition page
    // to the pages it links to, without looking where a link leads, and goes
    // on in the page it had last when a link leads outside the file. Every
    // linked page must be in the file and a definition page, and the entries
    // and names must end within the pages linked.
    void checkDefinitionPages(const std::string& name, std::uint32_t definitionPage) const {
        const QString quoted = QString::fromStdString(name);
        std::vector<unsigned char> definition;
        std::uint32_t page = definitionPage;
        for (std::uint32_t hops = 0;; ++hops) {
            const unsigned char* p = image + static_cast<std::size_t>(page) * pageSize;
            if (p[0] != 0x02)
                corrupt(JetReader::tr("表“%1”的定义续页无效（第 %2 页）。")
                            .arg(quoted, QString::number(page)));
            definition.insert(definition.end(), p + (hops == 0 ? 0 : kDefinitionPageHeader),
                              p + pageSize);
            page = get32(p, 4);
            if (page == 0)
                break;
            if (hops >= pageCount)
                corrupt(JetReader::tr("表“%1”的定义续页形成了循环。").arg(quoted));
            checkPage(page, QT_TRANSLATE_NOOP("JetReader", "表“%1”的定义续页"), name);
        }
        const jet::Format& f = *format;
        const std::uint32_t columnCount = get16(definition.data(), f.definitionColumnCount);
        std::uint64_t end =
            f.definitionColumnEntries +
            std::uint64_t{get32(definition.data(), f.definitionRealIndexCount)} * f.realIndexEntry +
            std::uint64_t{columnCount} * f.columnEntry;
        // Each name is its byte length in one (Jet 3) or two bytes, then the name.
        std::uint32_t named = 0;
        for (; named < columnCount && end + f.columnNameLength <= definition.size(); ++named) {
            const auto at = static_cast<std::size_t>(end);
            end += f.columnNameLength +
                   (f.columnNameLength == 1 ? definition[at] : get16(definition.data(), at));
        }
        if (named < columnCount || end > definition.size())
            corrupt(JetReader::tr("表“%1”的定义不完整：列的定义超出了定义页。").arg(quoted));
    }

    std::shared_ptr<const Table> read(const std::string& name, std::uint32_t definitionPage) const {
        const QString quoted = QString::fromStdString(name);
        checkPage(definitionPage, QT_TRANSLATE_NOOP("JetReader", "表“%1”的定义"), name);
        // libmdb copies both maps out of the rows these point at, and reads
        // garbage when they lie beyond a truncated file.
        const unsigned char* definition =
            image + static_cast<std::size_t>(definitionPage) * pageSize;
        if (definition[0] == 0x02) {
            checkPage(get32(definition, format->definitionUsageMap) >> 8,
                      QT_TRANSLATE_NOOP("JetReader", "表“%1”的页面分配表"), name);
            checkPage(get32(definition, format->definitionFreeMap) >> 8,
                      QT_TRANSLATE_NOOP("JetReader", "表“%1”的空闲页面表"), name);
        }
        // libmdb keeps a pointer to the entry in the definition; only the page
        // and the type are read from it, and the name is copied for display.
        MdbCatalogEntry entry{};
        entry.mdb = mdb;
        entry.object_type = MDB_TABLE;
        entry.table_pg = definitionPage;
        name.copy(entry.object_name, std::min(name.size(), sizeof entry.object_name - 1));
        MdbTableDef* def = mdb_read_table(&entry);
        if (!def)
            corrupt(JetReader::tr("表“%1”的定义无法读取。").arg(quoted));
        struct Free {
            MdbTableDef* def;
            ~Free() { mdb_free_tabledef(def); }
        } freeDef{def};
        checkDefinitionPages(name, definitionPage);
        if (!mdb_read_columns(def) || def->num_cols == 0)
            corrupt(JetReader::tr("表“%1”没有列。").arg(quoted));

        std::vector<Column> columns;
        std::vector<const MdbColumn*> cols;
        for (unsigned i = 0; i < def->num_cols; ++i) {
            const auto* col = static_cast<const MdbColumn*>(g_ptr_array_index(def->columns, i));
            cols.push_back(col);
            columns.push_back({col->name, kindOf(col->col_type), storedTypeOf(col->col_type)});
        }
        auto table = std::make_shared<Table>(name, std::move(columns));
        // The row count is only a hint, and a damaged one must not reserve
        // more than the file could hold.
        const std::size_t maxRowsPerPage = (pageSize - format->rowCountOffset - 2) / 2;
        table->reserveRows(
            std::min<std::size_t>(def->num_rows, std::size_t{pageCount} * maxRowsPerPage));

        std::vector<MdbField> fields(def->num_cols);
        std::string scratch;
        std::uint32_t page = 0;
        // Every page the table's usage map names, in file order; the map can
        // claim pages beyond a truncated file, which is checked before reading.
        // libmdb leaves the map empty when its pointer leads nowhere, and then
        // reads the map's type byte through a null pointer.
        if (!def->usage_map || def->map_sz == 0)
            corrupt(JetReader::tr("表“%1”的页面分配表无法识别。").arg(quoted));
        for (;;) {
            const gint32 next =
                mdb_map_find_next(mdb, def->usage_map, static_cast<unsigned>(def->map_sz), page);
            if (next < 0)
                corrupt(JetReader::tr("表“%1”的页面分配表无法识别。").arg(quoted));
            if (next == 0)
                break;
            if (static_cast<std::uint32_t>(next) <= page)
                corrupt(JetReader::tr("表“%1”的页面分配表无效。").arg(quoted));
            page = static_cast<std::uint32_t>(next);
            checkPage(page, QT_TRANSLATE_NOOP("JetReader", "表“%1”的数据"), name);
            if (mdb_read_pg(mdb, page) != static_cast<ssize_t>(pageSize))
                corrupt(JetReader::tr("无法读取第 %1 页。").arg(page));
            const unsigned char* pg = mdb->pg_buf;
            if (pg[0] != 0x01 || get32(pg, 4) != definitionPage)
                continue;
            const std::uint32_t rows = get16(pg, format->rowCountOffset);
            if (rows > maxRowsPerPage)
                corrupt(JetReader::tr("第 %1 页的行数无效。").arg(page));
            for (std::uint32_t r = 0; r < rows; ++r) {
                if (mdb->cur_pg != page && mdb_read_pg(mdb, page) != static_cast<ssize_t>(pageSize))
                    corrupt(JetReader::tr("无法读取第 %1 页。").arg(page));
                if (!crack(def, page, r, fields))
                    continue;
                for (unsigned c = 0; c < def->num_cols; ++c) {
                    // A memo lookup swaps pages only in the alternate buffer,
                    // so the cracked fields stay valid throughout the row.
                    appendValue(*table, *cols[static_cast<unsigned>(fields[c].colnum)], fields[c],
                                scratch);
                }
            }
        }
        return table;
    }

    // Jet 3 text and names are in the header's code page. libmdb would take
    // the names as Western text, or as the environment says.
    void useCodePage(unsigned number) {
        try {
            codePage.emplace(number);
        } catch (const std::invalid_argument&) {
            fail(JetReader::tr("数据库文件的文字使用代码页 %1，本系统无法转换这种代码页。")
                     .arg(number));
        }
        const iconv_t names = iconv_open("UTF-8", CodePageDecoder::iconvName(number).c_str());
        if (names == reinterpret_cast<iconv_t>(-1))
            fail(JetReader::tr("数据库文件的文字使用代码页 %1，本系统无法转换这种代码页。")
                     .arg(number));
        if (mdb->iconv_in != reinterpret_cast<iconv_t>(-1))
            iconv_close(mdb->iconv_in);
        mdb->iconv_in = names;
    }

    // The tables the system catalogue names.
    void readCatalogue() {
        const auto catalogue = read("MSysObjects", kCataloguePage);
        if (catalogue->rowCount() == 0)
            corrupt(JetReader::tr("系统表 MSysObjects 没有任何记录。"));
        auto column = [&](const char* field) {
            const int c = catalogue->findColumn(field);
            if (c < 0)
                corrupt(
                    JetReader::tr("系统表 MSysObjects 缺少列“%1”。").arg(QString::fromUtf8(field)));
            return static_cast<std::size_t>(c);
        };
        const std::size_t id = column("Id"), name = column("Name"), type = column("Type"),
                          flags = column("Flags");
        for (std::size_t r = 0; r < catalogue->rowCount(); ++r) {
            const auto objectId = integerCell(*catalogue, r, id);
            const auto objectType = integerCell(*catalogue, r, type);
            const auto objectName = catalogue->cell(r, name);
            // Forms, queries and the like share the catalogue; only tables matter here.
            if (!objectId || !objectType || !objectName || (*objectType & 0x7F) != MDB_TABLE)
                continue;
            const auto objectFlags =
                static_cast<std::uint32_t>(integerCell(*catalogue, r, flags).value_or(0));
            tables.push_back({std::string(*objectName),
                              static_cast<std::uint32_t>(*objectId) & 0x00FFFFFF,
                              (objectFlags & 0x80000002u) != 0});
        }
    }
};

JetDatabase::JetDatabase(std::vector<unsigned char> image)
    : m_image(std::move(image)), m_handle(std::make_unique<Handle>()) {
    const Header header = checkHeader(m_image);
    m_handle->format = header.format;
    m_handle->pageSize = header.format->pageSize;
    m_handle->pageCount = static_cast<std::uint32_t>(m_image.size() / m_handle->pageSize);
    m_handle->mdb = mdb_open_buffer(m_image.data(), m_image.size(), MDB_NOFLAGS);
    if (!m_handle->mdb)
        fail(JetReader::tr("无法打开数据库文件。"));
    m_handle->image = m_image.data();
    if (header.format == &jet::kJet3)
        m_handle->useCodePage(header.codePage);
    m_handle->readCatalogue();
}

JetDatabase::~JetDatabase() = default;

std::vector<std::string> JetDatabase::tableNames() const {
    std::vector<std::string> names;
    for (const auto& entry : m_handle->tables)
        if (!entry.system)
            names.push_back(entry.name);
    return names;
}

std::shared_ptr<const Table> JetDatabase::readTable(std::string_view name) const {
    for (const auto& entry : m_handle->tables)
        if (equalsIgnoringAsciiCase(entry.name, name))
            return m_handle->read(entry.name, entry.definitionPage);
    return nullptr;
}

} // namespace bearing
