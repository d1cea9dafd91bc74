// Errors of the statement engine and its tables, translatable without Qt: each
// carries its message templates and their arguments, and what() fills them as
// written (in Chinese, as the window shows them).
#pragma once

#include "platform/translate_noop.h"

#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace bearing {

// The translation context of every template the engine marks with
// BEARING_TRANSLATE_NOOP("Engine", ...).
inline constexpr const char* kEngineContext = "Engine";

// A message template with %1, %2, ... placeholders and the values that fill them.
struct MessageTemplate {
    const char* text = "";
    std::vector<std::string> arguments;
};

// `text` with each %1 to %9 replaced by its argument, in one pass, so an
// argument that itself holds "%2" stays as it is.
[[nodiscard]] std::string fillMessage(std::string_view text,
                                      const std::vector<std::string>& arguments);

class EngineError : public std::runtime_error {
  public:
    // The templates in the order they are read.
    explicit EngineError(std::vector<MessageTemplate> parts);
    // A message already in the user's language.
    explicit EngineError(const std::string& message);

    // The message with each template passed through `translate` before it is filled.
    [[nodiscard]] std::string
    message(const std::function<std::string(const char*)>& translate) const;

  private:
    std::vector<MessageTemplate> m_parts;
};

} // namespace bearing
