// Filling the engine's message templates, translated or as written.
#include "platform/engine_error.h"

namespace bearing {

namespace {

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

EngineError::EngineError(std::vector<MessageTemplate> parts)
    : std::runtime_error(fillAll(parts, nullptr)), m_parts(std::move(parts)) {}

EngineError::EngineError(const std::string& message) : std::runtime_error(message) {}

std::string EngineError::message(const std::function<std::string(const char*)>& translate) const {
    return m_parts.empty() ? std::string(what()) : fillAll(m_parts, translate);
}

} // namespace bearing
