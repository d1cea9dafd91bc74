// Row sets and the mask test over whole columns, 64 rows a word, in loops the
// compiler turns into vector instructions.
#include "sql/row_set.h"

#include <algorithm>
#include <map>
#include <optional>

namespace bearing {

RowSet::RowSet(std::size_t rowCount, bool full)
    : m_words((rowCount + 63) / 64, full ? ~std::uint64_t{0} : 0) {
    if (full && rowCount % 64 != 0)
        m_words.back() = (std::uint64_t{1} << (rowCount % 64)) - 1;
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
    // Each column is asked once a search, so that a column named twice in
    // one statement still counts as searched once.
    std::map<std::size_t, std::optional<std::span<const BigramMask>>> masks;
    for (const MaskClause& clause : clauses)
        for (const auto& entry : clause.anyOf)
            if (!masks.contains(entry.first))
                masks.emplace(entry.first, table.bigramMasks(entry.first));

    RowSet meeting(table.rowCount(), true);
    for (const MaskClause& clause : clauses) {
        // A clause with a column whose masks are not there yet rules nothing out.
        if (std::any_of(clause.anyOf.begin(), clause.anyOf.end(),
                        [&masks](const auto& entry) { return !masks.at(entry.first); }))
            continue;
        RowSet any(table.rowCount(), false);
        for (const auto& [column, required] : clause.anyOf)
            any.addRowsWithBits(*masks.at(column), required);
        meeting.intersect(any);
    }
    return meeting;
}

} // namespace bearing
