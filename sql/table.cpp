// A table decoded into memory, its cells in one text arena.
#include "sql/table.h"

#include "sql/sql_text.h"

#include "platform/beside.h"
#include "platform/engine_error.h"

#include <algorithm>
#include <limits>

namespace bearing {

Table::Table(std::string name, std::vector<Column> columns)
    : m_name(std::move(name)), m_columns(std::move(columns)) {}

Table::Table(std::string name, std::vector<Column> columns, std::size_t rowCount,
             std::span<const Cell> cells, std::string_view text,
             std::map<std::size_t, std::span<const std::uint32_t>> orders,
             std::shared_ptr<const void> owner)
    : m_name(std::move(name)), m_columns(std::move(columns)), m_cellView(cells.data()),
      m_textView(text.data()), m_textSize(text.size()), m_rowCount(rowCount),
      m_owner(std::move(owner)), m_orders(std::move(orders)) {}

int Table::findColumn(std::string_view name) const {
    for (std::size_t i = 0; i < m_columns.size(); ++i) {
        if (equalsIgnoringAsciiCase(m_columns[i].name, name))
            return static_cast<int>(i);
    }
    return -1;
}

namespace {

void checkArenaRoom(std::size_t used, std::size_t more) {
    if (used + more >= std::numeric_limits<std::uint32_t>::max())
        throw EngineError({MessageTemplate{
            BEARING_TRANSLATE_NOOP("Engine", "表的内容超过 4 GB，无法载入。"), {}}});
}

} // namespace

void Table::appendText(std::string_view text) {
    checkArenaRoom(m_text.size(), text.size());
    Cell c{static_cast<std::uint32_t>(m_text.size()), static_cast<std::uint32_t>(text.size())};
    m_text.append(text.data(), text.size());
    m_textView = m_text.data();
    m_textSize = m_text.size();
    appendCell(c);
}

void Table::appendNull() {
    appendCell(Cell{0, kNull});
}

void Table::appendCell(Cell cell) {
    m_cells.push(cell);
    m_cellView = m_cells.data();
    if (m_columns.empty() || m_cells.size() % m_columns.size() == 0)
        ++m_rowCount;
}

void Table::appendRows(Table&& rows) {
    // The rows' memory is given back piece by piece as it is copied, so that
    // joining two halves of a large table never holds the second one twice.
    constexpr std::size_t kPiece = std::size_t{4} << 20;
    const std::string_view text = rows.text();
    checkArenaRoom(m_text.size(), text.size());
    const auto base = static_cast<std::uint32_t>(m_text.size());
    for (std::size_t done = 0; done < text.size();) {
        const std::size_t n = std::min(kPiece, text.size() - done);
        m_text.append(text.data() + done, n);
        rows.m_text.giveBack(done, done + n);
        done += n;
    }
    m_textView = m_text.data();
    m_textSize = m_text.size();

    const std::span<const Cell> cells = rows.cells();
    constexpr std::size_t kCellsAPiece = kPiece / sizeof(Cell);
    for (std::size_t done = 0; done < cells.size();) {
        const std::size_t n = std::min(kCellsAPiece, cells.size() - done);
        Cell* out = m_cells.extend(n);
        for (const Cell& c : cells.subspan(done, n))
            *out++ = c.length == kNull ? c : Cell{c.offset + base, c.length};
        rows.m_cells.giveBack(done, done + n);
        done += n;
    }
    m_cellView = m_cells.data();
    m_rowCount += rows.m_rowCount;
    rows = Table(std::move(rows.m_name), std::move(rows.m_columns));
}

void Table::reserve(std::size_t rows, std::size_t textBytes) {
    m_cells.reserve(rows * m_columns.size());
    m_text.reserve(textBytes);
}

std::optional<std::span<const std::uint32_t>> Table::cachedOrder(std::size_t key) const {
    const auto it = m_orders.find(key);
    if (it == m_orders.end())
        return std::nullopt;
    return it->second;
}

std::span<const std::uint32_t> Table::storeOrder(std::size_t key,
                                                 std::vector<std::uint32_t> order) const {
    return m_orders[key] = m_ownedOrders.emplace_back(std::move(order));
}

std::vector<std::span<const BigramMask>>
Table::bigramMasks(std::span<const std::size_t> columns) const {
    std::vector<std::size_t> missing;
    for (const std::size_t column : columns)
        if (!m_masks.contains(column) &&
            std::find(missing.begin(), missing.end(), column) == missing.end())
            missing.push_back(column);
    if (!missing.empty()) {
        std::vector<GrowingBuffer<BigramMask>> computed(missing.size());
        std::vector<BigramMask*> out;
        for (GrowingBuffer<BigramMask>& masks : computed)
            out.push_back(masks.extend(m_rowCount));
        const auto fill = [&](std::size_t first, std::size_t last) {
            for (std::size_t row = first; row < last; ++row)
                for (std::size_t i = 0; i < missing.size(); ++i) {
                    const std::optional<std::string_view> text = cell(row, missing[i]);
                    out[i][row] = text ? bigramMask(*text) : 0;
                }
        };
        // Below this a second thread costs more than it saves.
        constexpr std::size_t kTwoThreadsFrom = 50'000;
        if (m_rowCount >= kTwoThreadsFrom) {
            const std::size_t half = m_rowCount / 2;
            auto secondHalf = startBeside([&fill, half, this] { fill(half, m_rowCount); });
            fill(0, half);
            secondHalf.get();
        } else {
            fill(0, m_rowCount);
        }
        for (std::size_t i = 0; i < missing.size(); ++i)
            m_masks.emplace(missing[i], std::move(computed[i]));
    }
    std::vector<std::span<const BigramMask>> spans;
    for (const std::size_t column : columns) {
        const GrowingBuffer<BigramMask>& masks = m_masks.at(column);
        spans.emplace_back(masks.data(), masks.size());
    }
    return spans;
}

} // namespace bearing
