// The seven inputs of the search page, exactly as the controls hold them at the moment of a search.
#pragma once

#include <string>

namespace bearing {

struct SearchCriteria {
    std::string modelText;
    // Selected entry of the search-mode box: 0 all model columns, 1 new model,
    // 2 old model, 3 brand model; -1 (or anything else) when none is selected.
    int searchMode = -1;
    std::string outerDiameter;
    std::string innerDiameter;
    std::string height;
    std::string brand;
    std::string type;
};

} // namespace bearing
