// Title-click sorting of the result set.
#include "search/sort_state.h"

namespace bearing {

SortStep SortState::clicked(std::string_view field) const {
    const std::string ascending = std::string(field) + " ASC";
    if (m_expression == ascending)
        return {std::string(field) + " DESC", kDescendingMarker};
    return {ascending, kAscendingMarker};
}

} // namespace bearing
