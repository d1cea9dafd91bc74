// The one error a statement can fail with: the user's message and where in the text it failed.
#pragma once

#include "platform/engine_error.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace bearing {

class StatementError : public EngineError {
  public:
    // Templates marked with BEARING_TRANSLATE_NOOP("Engine", ...).
    StatementError(std::vector<MessageTemplate> parts, std::size_t position)
        : EngineError(std::move(parts)), m_position(position) {}
    // A message already in the user's language.
    StatementError(const std::string& message, std::size_t position)
        : EngineError(message), m_position(position) {}

    // Byte offset into the statement where it failed (its size when it failed
    // at the end; 0 when the failure belongs to no place in the text).
    [[nodiscard]] std::size_t position() const { return m_position; }

  private:
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
