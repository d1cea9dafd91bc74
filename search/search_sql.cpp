// The search statement builder: fixed fragments joined in a fixed order.
#include "search_sql.h"

#include <algorithm>
#include <string_view>

namespace bearing {

namespace {

// The original inserted typed text as is, so a typed double quote closed the
// text value and the rest of the input became statement text. Doubling it is
// the Jet way of writing a quote inside a text value; input without quotes is
// unchanged, so every other statement stays character for character the same.
std::string textValue(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        out += c;
        if (c == '"')
            out += '"';
    }
    return out;
}

std::string fragment(std::string_view head, std::string_view input, std::string_view tail) {
    if (input.empty())
        return {};
    std::string out(head);
    out += textValue(input);
    out += tail;
    return out;
}

std::string modelFragment(const SearchCriteria& criteria) {
    if (criteria.modelText.empty())
        return {};
    const std::string t = textValue(criteria.modelText);
    switch (criteria.searchMode) {
    case 0:
        return "and (dzao like \"%" + t + "%\" or newno like \"%" + t + "%\" or oldno like \"%" +
               t + "%\")";
    case 1:
        return "and (newno like \"%" + t + "%\" )";
    case 2:
        return "and (oldno like \"%" + t + "%\")";
    case 3:
        return "and (dzao like \"%" + t + "%\" )";
    default:
        // No entry selected: the model text is ignored, even when it is the only input.
        return {};
    }
}

} // namespace

std::vector<std::string> BuildSearchSql(const SearchCriteria& criteria) {
    if (criteria.modelText.empty() && criteria.outerDiameter.empty() &&
        criteria.innerDiameter.empty() && criteria.height.empty() && criteria.type.empty() &&
        criteria.brand.empty())
        return {"SELECT * FROM zqBEARING ORDER BY NEWNO"};

    std::string condition = modelFragment(criteria) +
                            fragment("and wjin like \"", criteria.outerDiameter, "\" ") +
                            fragment("and njin like \"", criteria.innerDiameter, "\" ") +
                            fragment("and gdu like \"", criteria.height, "\" ") +
                            fragment("and DZAO LIKE \"", criteria.brand, " %\" ") +
                            fragment("and btype =\"", criteria.type, "\" ");
    // Every fragment starts with "and"; the first one's is dropped.
    condition.erase(0, std::min<std::size_t>(3, condition.size()));
    return {"select * from zqbearing where ", condition, "order by newno"};
}

std::string joinStatementLines(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

} // namespace bearing
