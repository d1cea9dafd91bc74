// The character rules of the search page's text boxes, free of any widget so they can be tested
// alone.
#pragma once

#include <QString>
#include <QValidator>

#include <optional>

namespace bearing {

inline constexpr char16_t kBackspace = 8;
inline constexpr char16_t kEnter = 13;

// The character a key press types, as the boxes' key-press rules receive it: printable text as
// typed, Enter 13, Backspace 8, Escape 27, and the control character that Ctrl with a letter
// types (Ctrl+A 1 ... Ctrl+Z 26, Ctrl+Backspace 127). Keys that type nothing have none: arrows,
// Delete, Insert, function keys, Tab, and every chord with Alt or Meta.
[[nodiscard]] std::optional<char16_t> typedCharacter(int key, Qt::KeyboardModifiers modifiers,
                                                     const QString& text);

// Whether a dimension box keeps a typed character: backspace, Enter, the full stop and the
// digits; everything else, other control characters included, is discarded.
[[nodiscard]] bool keptInDimensionBox(char16_t character);

// `text` with its letters in capitals, one code unit for one, so that positions in it stay valid
// ("ß" stays "ß" rather than growing into "SS").
[[nodiscard]] QString capitals(const QString& text);

// Forces a box's letters to capitals whichever way they arrive: typed, pasted, dropped or set.
class CapitalsValidator : public QValidator {
  public:
    using QValidator::QValidator;
    State validate(QString& input, int& position) const override;
};

} // namespace bearing
