// Sets of table rows, one bit a row, and the rows a condition's bigram masks
// leave standing.
#pragma once

#include "sql/bigram_mask.h"
#include "sql/table.h"

#include <bit>
#include <cstddef>
#include <cstdint>
#include <span>
#include <utility>
#include <vector>

namespace bearing {

// A million rows take 125 KB, which stays in the processor's cache while an
// order picks rows from it at random.
class RowSet {
  public:
    // Every row of `rowCount` when `full`, else none.
    RowSet(std::size_t rowCount, bool full);

    [[nodiscard]] bool contains(std::size_t row) const {
        return (m_words[row / 64] >> (row % 64)) & 1;
    }

    // Keeps the rows `keep` holds for, asking in ascending row order.
    template <typename Keep> void keepIf(Keep&& keep) {
        for (std::size_t w = 0; w < m_words.size(); ++w) {
            for (std::uint64_t bits = m_words[w]; bits != 0; bits &= bits - 1) {
                const std::size_t bit = static_cast<std::size_t>(std::countr_zero(bits));
                if (!keep(w * 64 + bit))
                    m_words[w] &= ~(std::uint64_t{1} << bit);
            }
        }
    }

    [[nodiscard]] std::size_t count() const;

    // Appends the rows to `out` in ascending order.
    void appendTo(std::vector<std::uint32_t>& out) const;

    // Leaves only the rows `other` holds too.
    void intersect(const RowSet& other);

    // Adds the rows whose mask in `masks` (one a row) has every bit of `required`.
    void addRowsWithBits(std::span<const BigramMask> masks, BigramMask required);

  private:
    std::vector<std::uint64_t> m_words;
};

// A row meets a clause when one of its entries' columns carries all of that
// entry's bits.
struct MaskClause {
    std::vector<std::pair<std::size_t, BigramMask>> anyOf;
};

// The rows whose masks meet every clause; every row when there is none. A
// row outside it cannot satisfy a condition the clauses were drawn from.
[[nodiscard]] RowSet rowsMeeting(const Table& table, const std::vector<MaskClause>& clauses);

} // namespace bearing
