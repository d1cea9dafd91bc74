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
#include "jet/jet_read_error.h"
#include "jet/jet_text.h"
#include "jet/jet_validation.h"
#include "jet/jet_values.h"
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

using jet::corrupt;
using jet::fail;
using jet::get16;
using jet::get32;
using jet::JetReader;

constexpr std::uint32_t kCataloguePage = 2;
// The Decimal column's value: a sign byte, then the magnitude as four 32-bit
// little-endian words, the most significant first.
constexpr std::size_t kDecimalSize = 17;
constexpr std::size_t kGuidSize = 16;

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

    [[nodiscard]] jet::Pages pages() const { return {image, format, pageSize, pageCount}; }

    ~Handle() {
        if (mdb)
            mdb_close(mdb);
    }

    // Reads a long value's bytes from the page/row it points at.
    std::string longValueRow(std::uint32_t pgRow, std::uint32_t& next, bool chained) const {
        pages().check(pgRow >> 8, QT_TRANSLATE_NOOP("JetReader", "长文本"));
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
            table.appendText(jet::formatMoney(static_cast<std::int64_t>(raw)));
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
            table.appendText(col.col_type == MDB_DOUBLE ? formatDouble(x) : jet::formatDate(x));
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
            table.appendText(jet::guid(v));
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
            table.appendText(jet::hex(v, size));
            return;
        }
    }

    void appendText(std::string& out, const unsigned char* bytes, std::size_t size) const {
        if (codePage)
            codePage->append(out, bytes, size);
        else
            appendJetTextAsUtf8(out, bytes, size);
    }

    std::shared_ptr<const Table> read(const std::string& name, std::uint32_t definitionPage) const {
        const QString quoted = QString::fromStdString(name);
        pages().check(definitionPage, QT_TRANSLATE_NOOP("JetReader", "表“%1”的定义"), name);
        // libmdb copies both maps out of the rows these point at, and reads
        // garbage when they lie beyond a truncated file.
        const unsigned char* definition =
            image + static_cast<std::size_t>(definitionPage) * pageSize;
        if (definition[0] == 0x02) {
            pages().check(get32(definition, format->definitionUsageMap) >> 8,
                          QT_TRANSLATE_NOOP("JetReader", "表“%1”的页面分配表"), name);
            pages().check(get32(definition, format->definitionFreeMap) >> 8,
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
        pages().checkDefinition(name, definitionPage);
        if (!mdb_read_columns(def) || def->num_cols == 0)
            corrupt(JetReader::tr("表“%1”没有列。").arg(quoted));

        std::vector<Column> columns;
        std::vector<const MdbColumn*> cols;
        for (unsigned i = 0; i < def->num_cols; ++i) {
            const auto* col = static_cast<const MdbColumn*>(g_ptr_array_index(def->columns, i));
            cols.push_back(col);
            columns.push_back(
                {col->name, jet::kindOf(col->col_type), jet::storedTypeOf(col->col_type)});
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
            pages().check(page, QT_TRANSLATE_NOOP("JetReader", "表“%1”的数据"), name);
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
                if (!jet::crackRow(mdb, pages(), def, page, r, fields))
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
    const jet::Header header = jet::checkHeader(m_image);
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
