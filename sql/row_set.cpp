// Row sets and the mask test over whole columns, 64 rows a word, in loops the
// compiler turns into vector instructions.
#include "sql/row_set.h"

#include <algorithm>

namespace bearing {

RowSet::RowSet(std::size_t rowCount, bool full)
    : m_words((rowCount + 63) / 64, full ? ~std::uint64_t{0} : 0) {
    if (full && rowCount % 64 != 0)
        m_words.back() = (std::uint64_t{1} << (rowCount % 64)) - 1;
}

std::size_t RowSet::count() const {
    std::size_t n = 0;
    for (std::uint64_t word : m_words)
        n += static_cast<std::size_t>(std::popcount(word));
    return n;
}

void RowSet::appendTo(std::vector<std::uint32_t>& out) const {
    for (std::size_t w = 0; w < m_words.size(); ++w)
        for (std::uint64_t bits = m_words[w]; bits != 0; bits &= bits - 1)
            out.push_back(static_cast<std::uint32_t>(w * 64 + std::countr_zero(bits)));
}

void RowSet::intersect(const RowSet& other) {
    for (std::size_t w = 0; w < m_words.size(); ++w)
        m_words[w] &= other.m_words[w];
}

void RowSet::addRowsWithBits(std::span<const BigramMask> masks, BigramMask required) {
    for (std::size_t w = 0; w < m_words.size(); ++w) {
        const std::size_t first = w * 64;
        const std::size_t count = std::min<std::size_t>(64, masks.size() - first);
        std::uint64_t bits = 0;
        for (std::size_t i = 0; i < count; ++i)
            bits |= std::uint64_t{mayHold(masks[first + i], required)} << i;
        m_words[w] |= bits;
    }
}

RowSet rowsMeeting(const Table& table, const std::vector<MaskClause>& clauses) {
    std::vector<std::size_t> columns;
    for (const MaskClause& clause : clauses)
        for (const auto& entry : clause.anyOf)
            columns.push_back(entry.first);
    const std::vector<std::span<const BigramMask>> masks = table.bigramMasks(columns);

    RowSet meeting(table.rowCount(), true);
    std::size_t next = 0;
    for (const MaskClause& clause : clauses) {
        RowSet any(table.rowCount(), false);
        for (const auto& entry : clause.anyOf)
            any.addRowsWithBits(masks[next++], entry.second);
        meeting.intersect(any);
    }
    return meeting;
}

} // namespace bearing
