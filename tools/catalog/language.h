// Which language the tool speaks: Chinese for a Chinese locale, English otherwise.
#pragma once

#include <QTranslator>

namespace bearing::cli {

enum class Language { English, Chinese };

// The language of the locale variables as POSIX ranks them: LC_ALL, then
// LC_MESSAGES, then LANG; the first one set and not empty decides, and a name
// starting with "zh" is Chinese. Null pointers stand for unset variables.
[[nodiscard]] Language languageOf(const char* lcAll, const char* lcMessages, const char* lang);

// The language of this process's environment.
[[nodiscard]] Language environmentLanguage();

// Loads the message catalogue of `language` into `translator` and installs it
// in the running application, which must outlive neither. The tool's texts are
// English and the layers below write Chinese, so each language's catalogue
// holds the texts written in the other. Returns false when it is missing.
bool installMessages(Language language, QTranslator& translator);

} // namespace bearing::cli
