// Writes a Jet 4.0 file from scratch: takes the rows, checks each value against its column,
// and assembles the pages that jet_page_builders lays out into the file.
#include "jet/jet_writer.h"

#include "jet/jet_page.h"
#include "jet/jet_page_builders.h"
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

using namespace jet;

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
