// Placing a statement error in its text for the user.
#include "sql/sql_error.h"

#include "sql/sql_text.h"

#include <algorithm>

namespace bearing {

namespace {

// Long enough to recognise the place, short enough for a message box line.
constexpr std::size_t kNearCodePoints = 30;

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

} // namespace

MessageTemplate describeNear(std::string_view statement, std::size_t position) {
    std::size_t start = std::min(position, statement.size());
    while (start < statement.size() && isBlank(statement[start]))
        ++start;
    if (start == statement.size())
        return {BEARING_TRANSLATE_NOOP("Engine", "（在语句末尾）"), {}};

    std::size_t end = start;
    std::size_t codePoints = 0;
    while (end < statement.size() && statement[end] != '\r' && statement[end] != '\n' &&
           codePoints < kNearCodePoints) {
        static_cast<void>(decodeUtf8(statement, end)); // only the step past it is wanted
        ++codePoints;
    }
    const bool cut = end < statement.size() && statement[end] != '\r' && statement[end] != '\n';
    while (end > start && isBlank(statement[end - 1]))
        --end;

    std::string near(statement.substr(start, end - start));
    if (cut)
        near += "…";
    return {BEARING_TRANSLATE_NOOP("Engine", "（在 \"%1\" 附近）"), {std::move(near)}};
}

void failNear(std::string_view statement, std::size_t position, MessageTemplate message) {
    throw StatementError({std::move(message), describeNear(statement, position)}, position);
}

} // namespace bearing
