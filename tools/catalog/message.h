// The tool's messages in the user's language: English source text, looked up in the
// translator that main() installs for a Chinese locale.
#pragma once

#include <QCoreApplication>
#include <QString>

#include <string>
#include <string_view>

namespace bearing::cli {

// lupdate gathers every Message::tr text of the tool into one context.
class Message {
    Q_DECLARE_TR_FUNCTIONS(Message)
};

// A Qt string as the UTF-8 the tool's exceptions and output carry.
[[nodiscard]] inline std::string utf8(const QString& text) {
    return text.toStdString();
}

// A UTF-8 string as a message argument.
[[nodiscard]] inline QString qs(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace bearing::cli
