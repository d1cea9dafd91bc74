// Placing a statement error in its text for the user.
#include "sql_error.h"

#include "platform/sql_text.h"

#include <algorithm>

namespace bearing {

namespace {

// Long enough to recognise the place, short enough for a message box line.
constexpr std::size_t kNearCodePoints = 30;

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

std::string fillAll(const std::vector<MessageTemplate>& parts,
                    const std::function<std::string(const char*)>& translate) {
    std::string out;
    for (const MessageTemplate& part : parts)
        out +=
            fillMessage(translate ? translate(part.text) : std::string(part.text), part.arguments);
    return out;
}

} // namespace

std::string fillMessage(std::string_view text, const std::vector<std::string>& arguments) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 1 < text.size() && text[i + 1] >= '1' && text[i + 1] <= '9') {
            const auto index = static_cast<std::size_t>(text[i + 1] - '1');
            if (index < arguments.size()) {
                out += arguments[index];
                ++i;
                continue;
            }
        }
        out += text[i];
    }
    return out;
}

StatementError::StatementError(std::vector<MessageTemplate> parts, std::size_t position)
    : std::runtime_error(fillAll(parts, nullptr)), m_parts(std::move(parts)), m_position(position) {
}

StatementError::StatementError(const std::string& message, std::size_t position)
    : std::runtime_error(message), m_position(position) {}

std::string
StatementError::message(const std::function<std::string(const char*)>& translate) const {
    return m_parts.empty() ? std::string(what()) : fillAll(m_parts, translate);
}

MessageTemplate describeNear(std::string_view statement, std::size_t position) {
    std::size_t start = std::min(position, statement.size());
    while (start < statement.size() && isBlank(statement[start]))
        ++start;
    if (start == statement.size())
        return {BEARING_TRANSLATE_NOOP("Statement", "（在语句末尾）"), {}};

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
    return {BEARING_TRANSLATE_NOOP("Statement", "（在 \"%1\" 附近）"), {std::move(near)}};
}

void failNear(std::string_view statement, std::size_t position, MessageTemplate message) {
    throw StatementError({std::move(message), describeNear(statement, position)}, position);
}

} // namespace bearing
