// Which language the tool speaks: Chinese for a Chinese locale, English otherwise.
#include "tools/catalog/language.h"

#include <QCoreApplication>

#include <cstdlib>
#include <string_view>

namespace bearing::cli {

Language languageOf(const char* lcAll, const char* lcMessages, const char* lang) {
    for (const char* value : {lcAll, lcMessages, lang}) {
        if (value && *value)
            return std::string_view(value).starts_with("zh") ? Language::Chinese
                                                             : Language::English;
    }
    return Language::English;
}

Language environmentLanguage() {
    return languageOf(std::getenv("LC_ALL"), std::getenv("LC_MESSAGES"), std::getenv("LANG"));
}

bool installMessages(Language language, QTranslator& translator) {
    const QString file = language == Language::Chinese
                             ? QStringLiteral(":/i18n/bearing-catalog_zh_CN.qm")
                             : QStringLiteral(":/i18n/bearing-catalog_en.qm");
    return translator.load(file) && QCoreApplication::installTranslator(&translator);
}

} // namespace bearing::cli
