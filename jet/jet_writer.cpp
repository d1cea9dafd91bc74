// Writes a Jet 4.0 file from scratch. The layout follows the published notes on
// the format; where they are silent it copies what the database's own engine
// writes into a new file (constants on page 0, flags in column entries).
#include "jet/jet_writer.h"

#include "jet/jet_page.h"
#include "jet/jet_text.h"
#include "sql/sql_text.h"
#include "sql/table.h"

#include <QCoreApplication>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstring>
#include <optional>
#include <stdexcept>

namespace bearing {

namespace {

using jet::kPageSize;
constexpr std::size_t kDataHeader = jet::kDataPageHeader;
constexpr std::size_t kMaxRowsPerPage = 255; // row numbers are one byte in page/row pointers
constexpr std::size_t kMaxRowBytes = kPageSize - kDataHeader - 2;
constexpr std::uint32_t kDefinitionMagic =
    1625; // the engine's value at tdef offset 12 and in each column entry
constexpr std::uint32_t kTablesContainerId = 0x0F000001;
constexpr std::uint32_t kMapBitsPerMapPage = (kPageSize - 4) * 8;

using Page = std::array<unsigned char, kPageSize>;

void put16(unsigned char* p, std::size_t off, std::uint32_t v) {
    p[off] = static_cast<unsigned char>(v);
    p[off + 1] = static_cast<unsigned char>(v >> 8);
}

void put32(unsigned char* p, std::size_t off, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        p[off + i] = static_cast<unsigned char>(v >> (8 * i));
}

void putDouble(unsigned char* p, std::size_t off, double v) {
    std::uint64_t bits;
    std::memcpy(&bits, &v, 8);
    for (int i = 0; i < 8; ++i)
        p[off + i] = static_cast<unsigned char>(bits >> (8 * i));
}

// Days since 1899-12-30, the engine's date form, for the current day.
double todayAsOleDate() {
    using namespace std::chrono;
    const auto days = floor<std::chrono::days>(system_clock::now()).time_since_epoch().count();
    return static_cast<double>(days) + 25569.0;
}

// A column as it appears in a table definition.
struct DefColumn {
    std::string name;
    std::uint8_t type;
    std::uint8_t flags;     // 0x01 fixed length, 0x02 may be Null
    std::uint8_t miscFlags; // 0x01 compressed Unicode
    std::uint16_t length;   // bytes; 0 for long values
    std::uint16_t fixedOffset = 0;
    std::uint16_t varIndex = 0;
    bool fixed() const { return flags & 0x01; }
};

std::uint16_t fixedSize(std::uint8_t type) {
    switch (type) {
    case 0x02:
        return 1;
    case 0x03:
        return 2;
    case 0x04:
        return 4;
    case 0x06:
        return 4;
    case 0x05:
    case 0x07:
    case 0x08:
        return 8;
    default:
        return 0;
    }
}

void layoutColumns(std::vector<DefColumn>& cols) {
    std::uint16_t fixedOffset = 0;
    std::uint16_t varIndex = 0;
    for (auto& c : cols) {
        if (c.fixed()) {
            c.fixedOffset = fixedOffset;
            fixedOffset = static_cast<std::uint16_t>(fixedOffset + c.length);
        } else {
            c.varIndex = varIndex++;
        }
    }
}

// A data or long-value page being filled from its end towards its header.
class DataPage {
  public:
    DataPage(std::uint32_t owner, bool longValues) {
        m_page.fill(0);
        m_page[0] = 0x01;
        m_page[1] = 0x01;
        if (longValues)
            std::memcpy(&m_page[4], "LVAL", 4);
        else
            put32(m_page.data(), 4, owner);
        m_end = kPageSize;
        update();
    }

    bool fits(std::size_t rowBytes) const {
        return m_rows < kMaxRowsPerPage && kDataHeader + 2 * (m_rows + 1) + rowBytes <= m_end;
    }

    // Returns the row number; the caller checked fits().
    unsigned add(const unsigned char* bytes, std::size_t size) {
        m_end -= size;
        std::memcpy(&m_page[m_end], bytes, size);
        put16(m_page.data(), kDataHeader + 2 * m_rows, static_cast<std::uint32_t>(m_end));
        ++m_rows;
        update();
        return m_rows - 1;
    }

    unsigned char* rowStart(unsigned row) {
        return &m_page[m_page[kDataHeader + 2 * row] | (m_page[kDataHeader + 2 * row + 1] << 8)];
    }

    const Page& page() const { return m_page; }

  private:
    void update() {
        put16(m_page.data(), 12, m_rows);
        put16(m_page.data(), 2, static_cast<std::uint32_t>(m_end - kDataHeader - 2 * m_rows));
    }

    Page m_page;
    std::size_t m_end;
    unsigned m_rows = 0;
};

// Encodes one row in the Jet 4 layout: column count, the whole fixed area,
// variable data, end-of-data offset, variable offsets in reverse, variable
// count, Null mask (bit set = not Null).
class RowEncoder {
  public:
    explicit RowEncoder(const std::vector<DefColumn>& cols) : m_cols(cols) {
        for (const auto& c : cols) {
            if (c.fixed())
                m_fixedBytes = std::max<std::size_t>(m_fixedBytes, c.fixedOffset + c.length);
            else
                ++m_varCount;
        }
    }

    // values[i]: nullptr for Null, else the column's stored bytes.
    std::string encode(const std::vector<const std::string*>& values) const {
        std::string row;
        const std::size_t n = m_cols.size();
        row.resize(2 + m_fixedBytes, '\0');
        auto* p = reinterpret_cast<unsigned char*>(row.data());
        put16(p, 0, static_cast<std::uint32_t>(n));
        std::string nullMask((n + 7) / 8, '\0');
        std::vector<std::uint16_t> varOffsets(m_varCount);
        for (std::size_t i = 0; i < n; ++i) {
            const auto& c = m_cols[i];
            if (values[i])
                nullMask[i / 8] = static_cast<char>(nullMask[i / 8] | (1 << (i % 8)));
            if (c.fixed()) {
                if (values[i])
                    std::memcpy(row.data() + 2 + c.fixedOffset, values[i]->data(), c.length);
            }
        }
        for (std::size_t i = 0; i < n; ++i) {
            const auto& c = m_cols[i];
            if (c.fixed())
                continue;
            varOffsets[c.varIndex] = static_cast<std::uint16_t>(row.size());
            if (values[i])
                row += *values[i];
        }
        const std::size_t eod = row.size();
        std::string tail;
        tail.resize(2 + 2 * m_varCount + 2);
        auto* t = reinterpret_cast<unsigned char*>(tail.data());
        put16(t, 0, static_cast<std::uint32_t>(eod));
        for (std::size_t k = 0; k < m_varCount; ++k)
            put16(t, 2 + 2 * k, varOffsets[m_varCount - 1 - k]);
        put16(t, 2 + 2 * m_varCount, static_cast<std::uint32_t>(m_varCount));
        if (m_varCount == 0)
            tail.clear(); // a row without variable columns has no offset table
        row += tail;
        row += nullMask;
        return row;
    }

  private:
    const std::vector<DefColumn>& m_cols;
    std::size_t m_fixedBytes = 0;
    std::size_t m_varCount = 0;
};

Page tableDefinitionPage(
    const std::vector<DefColumn>& cols, std::uint8_t tableType, std::uint32_t rowCount,
    std::uint32_t usedMap, std::uint32_t freeMap,
    const std::vector<std::pair<std::uint16_t, std::uint32_t>>& longValueMaps) {
    std::vector<unsigned char> def(63, 0);
    def[0] = 0x02;
    def[1] = 0x01;
    put32(def.data(), 12, kDefinitionMagic);
    put32(def.data(), 16, rowCount);
    def[24] = 0x01;
    def[40] = tableType;
    std::uint16_t varCount = 0;
    for (const auto& c : cols)
        varCount = static_cast<std::uint16_t>(varCount + (c.fixed() ? 0 : 1));
    put16(def.data(), 41, static_cast<std::uint32_t>(cols.size()));
    put16(def.data(), 43, varCount);
    put16(def.data(), 45, static_cast<std::uint32_t>(cols.size()));
    put32(def.data(), 55, usedMap);
    put32(def.data(), 59, freeMap);
    for (std::size_t i = 0; i < cols.size(); ++i) {
        const auto& c = cols[i];
        unsigned char e[25] = {};
        e[0] = c.type;
        put32(e, 1, kDefinitionMagic);
        put16(e, 5, static_cast<std::uint32_t>(i));
        put16(e, 7, c.varIndex);
        put16(e, 9, static_cast<std::uint32_t>(i));
        put16(e, 11, 0x0409); // General sort order
        e[15] = c.flags;
        e[16] = c.miscFlags;
        put16(e, 21, c.fixedOffset);
        put16(e, 23, c.length);
        def.insert(def.end(), e, e + 25);
    }
    for (const auto& c : cols) {
        const std::u16string name = utf8ToUtf16(c.name);
        unsigned char len[2];
        put16(len, 0, static_cast<std::uint32_t>(name.size() * 2));
        def.insert(def.end(), len, len + 2);
        for (char16_t u : name) {
            def.push_back(static_cast<unsigned char>(u & 0xFF));
            def.push_back(static_cast<unsigned char>(u >> 8));
        }
    }
    for (const auto& [column, map] : longValueMaps) {
        unsigned char e[10];
        put16(e, 0, column);
        put32(e, 2, map);
        put32(e, 6, map + 1); // the free-space map sits in the next row
        def.insert(def.end(), e, e + 10);
    }
    def.push_back(0xFF);
    def.push_back(0xFF);
    if (def.size() > kPageSize - 8)
        throw std::invalid_argument("too many columns for one table definition page");
    put32(def.data(), 8, static_cast<std::uint32_t>(def.size()));
    put16(def.data(), 2, static_cast<std::uint32_t>(kPageSize - def.size() - 8));
    Page page{};
    std::copy(def.begin(), def.end(), page.begin());
    return page;
}

std::string fixedLong(std::uint32_t v) {
    std::string s(4, '\0');
    put32(reinterpret_cast<unsigned char*>(s.data()), 0, v);
    return s;
}

std::string fixedShort(std::uint16_t v) {
    std::string s(2, '\0');
    put16(reinterpret_cast<unsigned char*>(s.data()), 0, v);
    return s;
}

std::string fixedDouble(double v) {
    std::string s(8, '\0');
    putDouble(reinterpret_cast<unsigned char*>(s.data()), 0, v);
    return s;
}

std::string storedText(std::string_view utf8) {
    return encodeJetText(utf8ToUtf16(utf8), true);
}

} // namespace

struct JetWriter::State {
    std::string tableName;
    std::vector<JetColumnSpec> requested;
    std::vector<DefColumn> cols;
    std::optional<RowEncoder> encoder; // made once the columns are laid out
    double created = todayAsOleDate();

    // Pages from page 6 on, in file order; the table's data pages and each memo
    // column's long-value pages are filled side by side.
    std::vector<Page> pages;
    std::vector<std::uint32_t> dataPages;
    std::optional<DataPage> data;
    std::uint32_t dataIndex = 0;
    struct LongValues {
        std::uint16_t column;
        std::optional<DataPage> page;
        std::uint32_t pageIndex = 0;
        std::vector<std::uint32_t> pages;
    };
    std::vector<LongValues> longValues;
    std::size_t rows = 0;

    static constexpr std::uint32_t kFirstContentPage = 6;
    static constexpr std::uint32_t kTableDefPage = 5;

    std::uint32_t allocate() {
        pages.emplace_back();
        return kFirstContentPage + static_cast<std::uint32_t>(pages.size() - 1);
    }

    void flushData() {
        if (data)
            pages[dataIndex - kFirstContentPage] = data->page();
    }

    void flushLongValues(LongValues& lv) {
        if (lv.page)
            pages[lv.pageIndex - kFirstContentPage] = lv.page->page();
    }

    // Reserves room for one long-value row; returns its page/row pointer.
    std::uint32_t addLongValueRow(LongValues& lv, const std::string& bytes) {
        if (!lv.page || !lv.page->fits(bytes.size())) {
            flushLongValues(lv);
            lv.page.emplace(0, true);
            lv.pageIndex = allocate();
            lv.pages.push_back(lv.pageIndex);
        }
        const unsigned row =
            lv.page->add(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
        return (lv.pageIndex << 8) | row;
    }

    // The 12-byte field a row holds for a memo; the text itself goes to
    // long-value pages, in one row when it fits, else as a chain of rows.
    std::string storeMemo(LongValues& lv, std::string_view utf8) {
        const std::u16string text = utf8ToUtf16(utf8);
        // The engine only compresses memos of at most 1024 characters.
        const std::string bytes = encodeJetText(text, text.size() <= 1024);
        std::string field(12, '\0');
        auto* f = reinterpret_cast<unsigned char*>(field.data());
        if (bytes.size() > 0xFFFFFF)
            throw std::invalid_argument(
                QCoreApplication::translate("JetWriter", "memo longer than 16 MB").toStdString());
        if (bytes.empty()) {
            // Kept inside the row: a long-value row cannot be empty.
            put32(f, 0, 0x80000000u);
            return field;
        }
        constexpr std::size_t kSingle = kPageSize - kDataHeader - 2;
        if (bytes.size() <= kSingle) {
            put32(f, 0, static_cast<std::uint32_t>(bytes.size()) | 0x40000000u);
            put32(f, 4, addLongValueRow(lv, bytes));
            return field;
        }
        constexpr std::size_t kChunk = kSingle - 4;
        std::vector<std::pair<std::uint32_t, std::uint32_t>> chain; // pointer, page index
        for (std::size_t at = 0; at < bytes.size(); at += kChunk) {
            std::string row(4, '\0');
            row.append(bytes, at, kChunk);
            // Each chunk starts a fresh page so that the chain reads in file order.
            flushLongValues(lv);
            lv.page.reset();
            const std::uint32_t ptr = addLongValueRow(lv, row);
            chain.emplace_back(ptr, lv.pageIndex);
        }
        flushLongValues(lv);
        for (std::size_t k = 0; k + 1 < chain.size(); ++k) {
            Page& page = pages[chain[k].second - kFirstContentPage];
            const unsigned row = chain[k].first & 0xFF;
            const std::size_t start =
                page[kDataHeader + 2 * row] | (page[kDataHeader + 2 * row + 1] << 8);
            put32(page.data(), start, chain[k + 1].first);
        }
        lv.page.reset();
        put32(f, 0, static_cast<std::uint32_t>(bytes.size()));
        put32(f, 4, chain.front().first);
        return field;
    }
};

JetWriter::JetWriter(std::string tableName, std::vector<JetColumnSpec> columns)
    : m_state(std::make_unique<State>()) {
    if (columns.empty())
        throw std::invalid_argument("a table needs at least one column");
    m_state->tableName = std::move(tableName);
    m_state->requested = std::move(columns);
    for (const auto& s : m_state->requested) {
        DefColumn c{s.name, static_cast<std::uint8_t>(s.type), 0x02, 0, 0};
        switch (s.type) {
        case JetColumnType::Boolean:
        case JetColumnType::Long:
        case JetColumnType::Currency:
        case JetColumnType::Double:
        case JetColumnType::DateTime:
            c.flags = 0x03;
            c.length = fixedSize(c.type);
            break;
        case JetColumnType::Binary:
            c.length = 255;
            break;
        case JetColumnType::Text:
            c.miscFlags = 0x01;
            c.length = 510;
            break;
        case JetColumnType::Memo:
            break;
        }
        m_state->cols.push_back(c);
    }
    for (std::size_t i = 0; i < m_state->requested.size(); ++i) {
        for (std::size_t k = 0; k < i; ++k) {
            if (equalsIgnoringAsciiCase(m_state->requested[i].name, m_state->requested[k].name))
                throw std::invalid_argument("duplicate column name \"" +
                                            m_state->requested[i].name + "\"");
        }
        if (m_state->requested[i].type == JetColumnType::Memo)
            m_state->longValues.push_back({static_cast<std::uint16_t>(i), {}, 0, {}});
    }
    layoutColumns(m_state->cols);
    m_state->encoder.emplace(m_state->cols);
}

JetWriter::~JetWriter() = default;

std::size_t JetWriter::rowCount() const {
    return m_state->rows;
}

void JetWriter::addRow(const std::vector<JetValue>& values) {
    State& s = *m_state;
    if (values.size() != s.cols.size())
        throw std::invalid_argument("row has " + std::to_string(values.size()) +
                                    " values, table has " + std::to_string(s.cols.size()) +
                                    " columns");
    std::vector<std::string> stored(values.size());
    std::vector<const std::string*> present(values.size(), nullptr);
    std::size_t memo = 0;
    for (std::size_t i = 0; i < values.size(); ++i) {
        const auto& wanted = s.requested[i];
        const JetValue& v = values[i];
        if (std::holds_alternative<std::monostate>(v)) {
            if (wanted.type == JetColumnType::Memo)
                ++memo;
            continue;
        }
        auto wrongKind = [&] {
            return std::invalid_argument("value of the wrong kind for column \"" + wanted.name +
                                         "\"");
        };
        switch (wanted.type) {
        case JetColumnType::Boolean: {
            const auto* b = std::get_if<bool>(&v);
            if (!b)
                throw wrongKind();
            // False is the cleared bit of the Null mask, exactly what Null writes.
            if (!*b)
                continue;
            break;
        }
        case JetColumnType::Long:
            if (!std::holds_alternative<std::int32_t>(v))
                throw wrongKind();
            stored[i] = fixedLong(static_cast<std::uint32_t>(std::get<std::int32_t>(v)));
            break;
        case JetColumnType::Currency: {
            const auto* m = std::get_if<JetCurrency>(&v);
            if (!m)
                throw wrongKind();
            const auto raw = static_cast<std::uint64_t>(m->tenThousandths);
            stored[i] = fixedLong(static_cast<std::uint32_t>(raw)) +
                        fixedLong(static_cast<std::uint32_t>(raw >> 32));
            break;
        }
        case JetColumnType::Binary: {
            const auto* b = std::get_if<JetBytes>(&v);
            if (!b)
                throw wrongKind();
            if (b->bytes.size() > 255)
                throw std::invalid_argument("more than 255 bytes for column \"" + wanted.name +
                                            "\"");
            stored[i].assign(b->bytes.begin(), b->bytes.end());
            break;
        }
        case JetColumnType::Double:
        case JetColumnType::DateTime:
            if (const auto* d = std::get_if<double>(&v))
                stored[i] = fixedDouble(*d);
            else if (const auto* l = std::get_if<std::int32_t>(&v))
                stored[i] = fixedDouble(*l);
            else
                throw wrongKind();
            break;
        case JetColumnType::Text: {
            const auto* t = std::get_if<std::string>(&v);
            if (!t)
                throw wrongKind();
            const std::u16string units = utf8ToUtf16(*t);
            if (units.size() > 255)
                throw std::invalid_argument("text longer than 255 characters for column \"" +
                                            wanted.name + "\"");
            stored[i] = encodeJetText(units, true);
            break;
        }
        case JetColumnType::Memo: {
            const auto* t = std::get_if<std::string>(&v);
            if (!t)
                throw wrongKind();
            stored[i] = s.storeMemo(s.longValues[memo++], *t);
            break;
        }
        }
        present[i] = &stored[i];
    }
    const std::string row = s.encoder->encode(present);
    if (row.size() > kMaxRowBytes)
        throw std::invalid_argument(
            QCoreApplication::translate("JetWriter",
                                        "row of %1 bytes does not fit in one page; store long "
                                        "text as Memo")
                .arg(row.size())
                .toStdString());
    if (!s.data || !s.data->fits(row.size())) {
        s.flushData();
        s.data.emplace(State::kTableDefPage, false);
        s.dataIndex = s.allocate();
        s.dataPages.push_back(s.dataIndex);
    }
    s.data->add(reinterpret_cast<const unsigned char*>(row.data()), row.size());
    ++s.rows;
}

namespace {

// A usage map row: inline bitmap when every page lies below 512, else a list of
// map pages appended to the file.
std::string usageMapRow(const std::vector<std::uint32_t>& owned, std::vector<Page>& mapPages,
                        std::uint32_t firstMapPage) {
    std::string row(69, '\0');
    auto* r = reinterpret_cast<unsigned char*>(row.data());
    const std::uint32_t highest = owned.empty() ? 0 : *std::max_element(owned.begin(), owned.end());
    if (highest < 64 * 8) {
        for (std::uint32_t p : owned)
            r[5 + p / 8] = static_cast<unsigned char>(r[5 + p / 8] | (1 << (p % 8)));
        return row;
    }
    r[0] = 0x01;
    const std::uint32_t needed = highest / kMapBitsPerMapPage + 1;
    if (needed > 17)
        throw std::invalid_argument(
            QCoreApplication::translate("JetWriter", "file too large for its page usage map")
                .toStdString());
    std::vector<std::uint32_t> pageNumbers(needed);
    for (std::uint32_t k = 0; k < needed; ++k) {
        Page page{};
        page[0] = 0x05;
        page[1] = 0x01;
        mapPages.push_back(page);
        pageNumbers[k] = firstMapPage + static_cast<std::uint32_t>(mapPages.size() - 1);
        put32(r, 1 + 4 * k, pageNumbers[k]);
    }
    for (std::uint32_t p : owned) {
        Page& page = mapPages[pageNumbers[p / kMapBitsPerMapPage] - firstMapPage];
        const std::uint32_t bit = p % kMapBitsPerMapPage;
        page[4 + bit / 8] = static_cast<unsigned char>(page[4 + bit / 8] | (1 << (bit % 8)));
    }
    return row;
}

std::vector<DefColumn> catalogueColumns() {
    // The system catalogue's columns as the engine defines them; readers look
    // several of them up by name (Id, Name, Type, Flags, LvProp).
    std::vector<DefColumn> cols = {
        {"Id", 0x04, 0x13, 0, 4},
        {"ParentId", 0x04, 0x13, 0, 4},
        {"Name", 0x0A, 0x12, 0, 510},
        {"Type", 0x03, 0x13, 0, 2},
        {"DateCreate", 0x08, 0x13, 0, 8},
        {"DateUpdate", 0x08, 0x13, 0, 8},
        {"Owner", 0x09, 0x32, 0, 510},
        {"Flags", 0x04, 0x13, 0, 4},
        {"Database", 0x0C, 0x12, 0, 0},
        {"Connect", 0x0C, 0x12, 0, 0},
        {"ForeignName", 0x0A, 0x12, 0, 510},
        {"RmtInfoShort", 0x09, 0x12, 0, 510},
        {"RmtInfoLong", 0x0B, 0x12, 0, 0},
        {"Lv", 0x0B, 0x12, 0, 0},
        {"LvProp", 0x0B, 0x12, 0, 0},
        {"LvModule", 0x0B, 0x12, 0, 0},
        {"LvExtra", 0x0B, 0x12, 0, 0},
    };
    layoutColumns(cols);
    return cols;
}

std::string catalogueRow(const RowEncoder& encoder, std::uint32_t id, std::uint32_t parent,
                         std::string_view name, std::uint16_t type, std::uint32_t flags,
                         double date) {
    const std::string vId = fixedLong(id), vParent = fixedLong(parent), vName = storedText(name),
                      vType = fixedShort(type), vDate = fixedDouble(date),
                      vFlags = fixedLong(flags);
    std::vector<const std::string*> values(17, nullptr);
    values[0] = &vId;
    values[1] = &vParent;
    values[2] = &vName;
    values[3] = &vType;
    values[4] = &vDate;
    values[5] = &vDate;
    values[7] = &vFlags;
    return encoder.encode(values);
}

Page databaseDefinitionPage(FileSignature signature, double created) {
    Page p{};
    static constexpr unsigned char kHead[] = {0x00, 0x01, 0x00, 0x00, 'S', 't', 'a',
                                              'n',  'd',  'a',  'r',  'd', ' ', 'J',
                                              'e',  't',  ' ',  'D',  'B', 0x00};
    std::memcpy(p.data(), kHead, sizeof kHead);
    const auto& sig = signatureBytes(signature);
    std::copy(sig.begin(), sig.end(), p.begin());
    put32(p.data(), 0x14, 1); // Jet 4
    // The encrypted block; the small counters at its start are what the engine writes.
    for (std::uint32_t i = 0; i < 6; ++i)
        put32(p.data(), 0x18 + 4 * i, i == 0 ? 0x100 : (i == 1 ? 0x101 : i));
    put16(p.data(), 0x3C, 1252); // code page
    put32(p.data(), 0x3E, 0);    // database key: not encrypted
    // An empty password is stored as the mask derived from the creation date.
    const auto mask = static_cast<std::uint32_t>(static_cast<std::int32_t>(created));
    for (int i = 0; i < 10; ++i)
        put32(p.data(), 0x42 + 4 * i, mask);
    put32(p.data(), 0x6A, 0x11A6);
    put32(p.data(), 0x6E, 0x0409); // sort order: General
    putDouble(p.data(), 0x72, created);
    jet::rc4(jet::kHeaderKey.data(), jet::kHeaderKey.size(), p.data() + jet::kHeaderCryptOffset,
             jet::kHeaderCryptLength);
    put32(p.data(), 0x98, 0x0654);
    std::memcpy(p.data() + 0x9C, "4.0", 3);
    p[0xE00] = 0x08;
    p[0xE01] = 0x01;
    p[0xE02] = 0x27;
    p[0xE03] = 0x01;
    for (std::size_t off = 0xE05; off < kPageSize; off += 2)
        p[off] = 0x01;
    return p;
}

Page globalUsageMapPage(std::uint32_t pageCount) {
    DataPage page(1, false);
    std::string freePages(69, '\0');
    for (std::uint32_t pg = (pageCount + 7) / 8 * 8; pg < 512; ++pg)
        freePages[5 + pg / 8] = static_cast<char>(freePages[5 + pg / 8] | (1 << (pg % 8)));
    const std::string empty(69, '\0');
    page.add(reinterpret_cast<const unsigned char*>(freePages.data()), freePages.size());
    page.add(reinterpret_cast<const unsigned char*>(empty.data()), empty.size());
    return page.page();
}

} // namespace

std::vector<unsigned char> JetWriter::finish(FileSignature signature) {
    State& s = *m_state;
    s.flushData();
    for (auto& lv : s.longValues)
        s.flushLongValues(lv);

    constexpr std::uint32_t kCatalogueDef = 2, kCatalogueData = 3, kMapPage = 4;
    const std::uint32_t firstMapPage =
        State::kFirstContentPage + static_cast<std::uint32_t>(s.pages.size());
    std::vector<Page> mapPages;

    // Usage-map rows on page 4: the catalogue's used/free pair, the table's pair,
    // then a pair for each memo column's long-value pages.
    DataPage maps(0, false);
    auto addMapRow = [&](const std::string& row) {
        const unsigned r = maps.add(reinterpret_cast<const unsigned char*>(row.data()), row.size());
        return (kMapPage << 8) | r;
    };
    const std::string emptyMap(69, '\0');
    const std::uint32_t catUsed = addMapRow(usageMapRow({kCatalogueData}, mapPages, firstMapPage));
    const std::uint32_t catFree = addMapRow(emptyMap);
    const std::uint32_t tabUsed = addMapRow(usageMapRow(s.dataPages, mapPages, firstMapPage));
    const std::uint32_t tabFree = addMapRow(emptyMap);
    std::vector<std::pair<std::uint16_t, std::uint32_t>> longValueMaps;
    for (const auto& lv : s.longValues) {
        longValueMaps.emplace_back(lv.column,
                                   addMapRow(usageMapRow(lv.pages, mapPages, firstMapPage)));
        addMapRow(emptyMap);
    }

    const std::vector<DefColumn> catCols = catalogueColumns();
    const RowEncoder catEncoder(catCols);
    DataPage catalogue(kCatalogueDef, false);
    for (const std::string& row : {catalogueRow(catEncoder, kTablesContainerId, 0x0F000000,
                                                "Tables", 3, 0x80000000u, s.created),
                                   catalogueRow(catEncoder, kCatalogueDef, kTablesContainerId,
                                                "MSysObjects", 1, 0x80000002u, s.created),
                                   catalogueRow(catEncoder, State::kTableDefPage,
                                                kTablesContainerId, s.tableName, 1, 0, s.created)})
        catalogue.add(reinterpret_cast<const unsigned char*>(row.data()), row.size());

    const std::uint32_t pageCount = firstMapPage + static_cast<std::uint32_t>(mapPages.size());
    std::vector<unsigned char> file;
    file.reserve(static_cast<std::size_t>(pageCount) * kPageSize);
    auto append = [&](const Page& p) { file.insert(file.end(), p.begin(), p.end()); };
    append(databaseDefinitionPage(signature, s.created));
    append(globalUsageMapPage(pageCount));
    append(tableDefinitionPage(catCols, 0x53, 3, catUsed, catFree, {}));
    append(catalogue.page());
    append(maps.page());
    append(tableDefinitionPage(s.cols, 0x4E, static_cast<std::uint32_t>(s.rows), tabUsed, tabFree,
                               longValueMaps));
    for (const Page& p : s.pages)
        append(p);
    for (const Page& p : mapPages)
        append(p);
    return file;
}

} // namespace bearing
