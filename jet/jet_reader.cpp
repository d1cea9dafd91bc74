// Reads Jet 3 and Jet 4.0 tables through libmdb. libmdb finds the table
// definitions and the pages a table owns; the rows are found here (deleted and
// moved rows as the engine's own scan treats them), cracked with libmdb's
// mdb_crack_row, and the values decoded by jet_row_decoding, so that numbers
// get the engine's text form and Null stays distinct from empty text. The
// system catalogue is read the same way, not through mdb_read_catalog, which
// parses every object's property blob without bounds (a damaged one loops
// until memory runs out) and copies names into fixed-size buffers.
#include "jet/jet_reader.h"

#include "jet/jet_page.h"
#include "jet/jet_read_error.h"
#include "jet/jet_row_decoding.h"
#include "jet/jet_text.h"
#include "jet/jet_validation.h"
#include "jet/jet_values.h"
#include "platform/beside.h"
#include "sql/sql_text.h"

#include <QCoreApplication>

#include <mdbtools.h>

#include <algorithm>
#include <charconv>
#include <exception>
#include <optional>
#include <span>
#include <string>

namespace bearing {

namespace {

using jet::corrupt;
using jet::fail;
using jet::get16;
using jet::get32;
using jet::JetReader;

constexpr std::uint32_t kCataloguePage = 2;

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
    std::size_t imageSize = 0;
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

    // A table's definition as libmdb reads it through one handle, with its
    // columns; freed with it.
    struct Definition {
        // libmdb keeps a pointer to the entry in the definition; only the
        // page and the type are read from it, and the name is copied for display.
        MdbCatalogEntry entry{};
        MdbTableDef* def = nullptr;
        std::vector<const MdbColumn*> cols;
        std::vector<Column> columns;

        Definition() = default;
        Definition(const Definition&) = delete;
        Definition& operator=(const Definition&) = delete;
        ~Definition() {
            if (def)
                mdb_free_tabledef(def);
        }
    };

    void openDefinition(const std::string& name, std::uint32_t definitionPage,
                        Definition& out) const {
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
        MdbCatalogEntry& entry = out.entry;
        entry.mdb = mdb;
        entry.object_type = MDB_TABLE;
        entry.table_pg = definitionPage;
        name.copy(entry.object_name, std::min(name.size(), sizeof entry.object_name - 1));
        out.def = mdb_read_table(&entry);
        if (!out.def)
            corrupt(JetReader::tr("表“%1”的定义无法读取。").arg(quoted));
        pages().checkDefinition(name, definitionPage);
        if (!mdb_read_columns(out.def) || out.def->num_cols == 0)
            corrupt(JetReader::tr("表“%1”没有列。").arg(quoted));
        for (unsigned i = 0; i < out.def->num_cols; ++i) {
            const auto* col = static_cast<const MdbColumn*>(g_ptr_array_index(out.def->columns, i));
            out.cols.push_back(col);
            out.columns.push_back(
                {col->name, jet::kindOf(col->col_type), jet::storedTypeOf(col->col_type)});
        }
    }

    [[nodiscard]] std::size_t maxRowsPerPage() const {
        return (pageSize - format->rowCountOffset - 2) / 2;
    }

    // Every page the table's usage map names, in file order. A map found
    // unreadable part way leaves `mapError` set and the pages before it, so
    // that the rows on those are read (and their faults reported) first, as
    // reading page after page would.
    std::vector<std::uint32_t> mapPages(const Definition& d, const QString& quoted,
                                        std::exception_ptr& mapError) const {
        std::vector<std::uint32_t> found;
        try {
            // libmdb leaves the map empty when its pointer leads nowhere, and
            // then reads the map's type byte through a null pointer.
            if (!d.def->usage_map || d.def->map_sz == 0)
                corrupt(JetReader::tr("表“%1”的页面分配表无法识别。").arg(quoted));
            std::uint32_t page = 0;
            for (;;) {
                const gint32 next = mdb_map_find_next(mdb, d.def->usage_map,
                                                      static_cast<unsigned>(d.def->map_sz), page);
                if (next < 0)
                    corrupt(JetReader::tr("表“%1”的页面分配表无法识别。").arg(quoted));
                if (next == 0)
                    break;
                if (static_cast<std::uint32_t>(next) <= page)
                    corrupt(JetReader::tr("表“%1”的页面分配表无效。").arg(quoted));
                page = static_cast<std::uint32_t>(next);
                found.push_back(page);
            }
        } catch (const JetFormatError&) {
            mapError = std::current_exception();
        }
        return found;
    }

    // Appends the rows of the table's data pages among `dataPages` to `table`.
    // The map can claim pages beyond a truncated file, which is checked before
    // reading.
    void readRows(const Definition& d, const std::string& name,
                  std::span<const std::uint32_t> dataPages, std::uint32_t definitionPage,
                  Table& table) const {
        std::vector<MdbField> fields(d.def->num_cols);
        jet::RowDecoder decoder(mdb, pages(), codePage ? &*codePage : nullptr);
        for (const std::uint32_t page : dataPages) {
            pages().check(page, QT_TRANSLATE_NOOP("JetReader", "表“%1”的数据"), name);
            if (mdb_read_pg(mdb, page) != static_cast<ssize_t>(pageSize))
                corrupt(JetReader::tr("无法读取第 %1 页。").arg(page));
            const unsigned char* pg = mdb->pg_buf;
            if (pg[0] != 0x01 || get32(pg, 4) != definitionPage)
                continue;
            const std::uint32_t rows = get16(pg, format->rowCountOffset);
            if (rows > maxRowsPerPage())
                corrupt(JetReader::tr("第 %1 页的行数无效。").arg(page));
            for (std::uint32_t r = 0; r < rows; ++r) {
                if (mdb->cur_pg != page && mdb_read_pg(mdb, page) != static_cast<ssize_t>(pageSize))
                    corrupt(JetReader::tr("无法读取第 %1 页。").arg(page));
                if (jet::crackRow(mdb, pages(), d.def, page, r, fields))
                    decoder.appendRow(table, d.cols, fields);
            }
        }
    }

    // Another handle on the same Jet 4 image, for a second thread: a libmdb
    // handle keeps state from call to call.
    [[nodiscard]] std::unique_ptr<Handle> sibling() const {
        auto other = std::make_unique<Handle>();
        other->image = image;
        other->imageSize = imageSize;
        other->format = format;
        other->pageSize = pageSize;
        other->pageCount = pageCount;
        other->mdb = mdb_open_buffer(const_cast<unsigned char*>(image), imageSize, MDB_NOFLAGS);
        if (!other->mdb)
            fail(JetReader::tr("无法打开数据库文件。"));
        return other;
    }

    std::shared_ptr<const Table> read(const std::string& name, std::uint32_t definitionPage) const {
        const QString quoted = QString::fromStdString(name);
        Definition d;
        openDefinition(name, definitionPage, d);
        auto table = std::make_shared<Table>(name, d.columns);
        std::exception_ptr mapError;
        const std::vector<std::uint32_t> dataPages = mapPages(d, quoted, mapError);
        // The row count is only a hint, and a damaged one must not reserve
        // more than the file could hold. The rows' text mostly takes about
        // as many bytes as the pages holding them; more only grows the room.
        const std::size_t expectedRows =
            std::min<std::size_t>(d.def->num_rows, std::size_t{pageCount} * maxRowsPerPage());
        const std::size_t expectedText = dataPages.size() * pageSize;
        table->reserve(expectedRows, expectedText);
        // A large table's pages are read in two halves on two processor
        // cores, each through its own handle, and the second half's rows
        // appended after the first's: the rows come out as one pass gives them.
        // Jet 3 files, small and rare, are read in one pass.
        constexpr std::size_t kTwoThreadsFromPages = 256;
        if (dataPages.size() < kTwoThreadsFromPages || codePage) {
            readRows(d, name, dataPages, definitionPage, *table);
        } else {
            const std::span<const std::uint32_t> all(dataPages);
            const std::size_t half = all.size() / 2;
            auto secondHalf = startBeside([&] {
                const auto other = sibling();
                Definition theirs;
                other->openDefinition(name, definitionPage, theirs);
                Table rows(name, theirs.columns);
                rows.reserve(expectedRows / 2 + expectedRows / 16,
                             expectedText / 2 + expectedText / 16);
                other->readRows(theirs, name, all.subspan(half), definitionPage, rows);
                return rows;
            });
            readRows(d, name, all.first(half), definitionPage, *table);
            table->appendRows(secondHalf.get());
        }
        if (mapError)
            std::rethrow_exception(mapError);
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

JetDatabase::JetDatabase(std::span<const unsigned char> image)
    : JetDatabase(FileImage(image.begin(), image.end())) {}

JetDatabase::JetDatabase(FileImage image)
    : m_image(std::move(image)), m_handle(std::make_unique<Handle>()) {
    const jet::Header header = jet::checkHeader(m_image);
    m_handle->format = header.format;
    m_handle->pageSize = header.format->pageSize;
    m_handle->pageCount = static_cast<std::uint32_t>(m_image.size() / m_handle->pageSize);
    m_handle->mdb = mdb_open_buffer(m_image.data(), m_image.size(), MDB_NOFLAGS);
    if (!m_handle->mdb)
        fail(JetReader::tr("无法打开数据库文件。"));
    m_handle->image = m_image.data();
    m_handle->imageSize = m_image.size();
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
