// The character rules of the search page's text boxes.
#include "app/input_rules.h"

namespace bearing {

std::optional<char16_t> typedCharacter(int key, Qt::KeyboardModifiers modifiers,
                                       const QString& text) {
    if (modifiers & (Qt::AltModifier | Qt::MetaModifier))
        return std::nullopt;
    const bool control = modifiers & Qt::ControlModifier;
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return kEnter;
    case Qt::Key_Backspace:
        // Ctrl+Backspace types DEL, which is no backspace.
        return control ? char16_t{127} : kBackspace;
    case Qt::Key_Escape:
        return char16_t{27};
    default:
        break;
    }
    if (control) {
        // Control characters arrive whatever text the platform attaches to the chord.
        if (key >= Qt::Key_A && key <= Qt::Key_Z)
            return char16_t(key - Qt::Key_A + 1);
        return std::nullopt;
    }
    if (!text.isEmpty() && text.front().isPrint())
        return text.front().unicode();
    return std::nullopt;
}

bool keptInDimensionBox(char16_t character) {
    return character == kBackspace || character == kEnter || character == u'.' ||
           (character >= u'0' && character <= u'9');
}

QString capitals(const QString& text) {
    QString capitals = text;
    for (QChar& character : capitals)
        character = character.toUpper();
    return capitals;
}

QValidator::State CapitalsValidator::validate(QString& input, int&) const {
    input = capitals(input);
    return Acceptable;
}

} // namespace bearing
