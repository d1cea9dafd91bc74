// Turns the search inputs into the statement the data layer runs over the catalogue.
#pragma once

#include "search/search_criteria.h"

#include <string>
#include <vector>

namespace bearing {

// The statement lines for `criteria`: the single list-all line when the model
// text, the three dimensions, the brand and the type are all empty (the mode is
// not looked at), otherwise "select * from zqbearing where ", the condition and
// "order by newno". Texts are inserted unescaped, so their own "%" and "_" act as
// wildcards; only a double quote is written doubled, so that it stays inside
// its text value instead of ending it.
[[nodiscard]] std::vector<std::string> BuildSearchSql(const SearchCriteria& criteria);

// The statement as one text, the way the data layer receives it: every line,
// the last one included, followed by CR LF.
[[nodiscard]] std::string joinStatementLines(const std::vector<std::string>& lines);

} // namespace bearing
