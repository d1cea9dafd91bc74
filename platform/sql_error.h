// The one error a statement can fail with: the user's message and where in the text it failed.
#pragma once

#include "platform/translate_noop.h"

#include <cstddef>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace bearing {

// The translation context of every statement message template.
inline constexpr const char* kStatementContext = "Statement";

// A message template with %1, %2, ... placeholders and the values that fill them.
struct MessageTemplate {
    const char* text = "";
    std::vector<std::string> arguments;
};

// `text` with each %1 to %9 replaced by its argument, in one pass, so an
// argument that itself holds "%2" stays as it is.
[[nodiscard]] std::string fillMessage(std::string_view text,
                                      const std::vector<std::string>& arguments);

class StatementError : public std::runtime_error {
  public:
    // Templates marked with BEARING_TRANSLATE_NOOP(kStatementContext, ...), in the
    // order they are read; what() fills them untranslated.
    StatementError(std::vector<MessageTemplate> parts, std::size_t position);
    // A message already in the user's language.
    StatementError(const std::string& message, std::size_t position);

    // Byte offset into the statement where it failed (its size when it failed
    // at the end; 0 when the failure belongs to no place in the text).
    [[nodiscard]] std::size_t position() const { return m_position; }

    // The message with each template passed through `translate` before it is filled.
    [[nodiscard]] std::string
    message(const std::function<std::string(const char*)>& translate) const;

  private:
    std::vector<MessageTemplate> m_parts;
    std::size_t m_position;
};

// The tail of an error message showing where the statement failed:
// （在 "..." 附近） quoting the rest of that line from `position`, shortened,
// or （在语句末尾） when only whitespace follows.
[[nodiscard]] MessageTemplate describeNear(std::string_view statement, std::size_t position);

// Throws StatementError with `message` followed by describeNear(statement, position).
[[noreturn]] void failNear(std::string_view statement, std::size_t position,
                           MessageTemplate message);

} // namespace bearing
