// SortState: the result set's sort expression and the arrow that marks the sorted column's title.
#pragma once

#include <string>
#include <string_view>

namespace bearing {

inline constexpr std::string_view kAscendingMarker = "▲";
inline constexpr std::string_view kDescendingMarker = "▼";

// What a click on a column title changes: the new sort expression, and the
// marker the clicked column's title gets in front.
struct SortStep {
    std::string expression;
    std::string_view marker;
};

class SortState {
  public:
    explicit SortState(std::string expression) : m_expression(std::move(expression)) {}

    // Only "FIELD ASC" exactly turns into descending; anything else, including
    // "FIELD DESC", an empty expression or another column, sorts `field` ascending.
    [[nodiscard]] SortStep clicked(std::string_view field) const;

  private:
    std::string m_expression;
};

} // namespace bearing
