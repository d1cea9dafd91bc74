// The drop-down boxes' auto-completion rule, free of any widget so it can be tested alone.
#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace bearing {

// What a typed character completes to: the entry it selects and the box's new text, which is
// the prefix as typed followed by the rest of that entry; the rest is to be selected.
struct Completion {
    int index;
    QString text;
    qsizetype prefixLength;

    friend bool operator==(const Completion&, const Completion&) = default;
};

// `prefix` is the text a typed character forms: the box's text, or the text before its selected
// part, followed by the character. The first entry in list order that begins with it, ignoring
// case, is completed to; none when no entry does (the character is then typed as usual).
[[nodiscard]] std::optional<Completion> completeTyped(const QStringList& entries,
                                                      const QString& prefix);

} // namespace bearing
