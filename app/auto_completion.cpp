// The drop-down boxes' auto-completion rule.
#include "app/auto_completion.h"

namespace bearing {

std::optional<Completion> completeTyped(const QStringList& entries, const QString& prefix) {
    for (qsizetype i = 0; i < entries.size(); ++i) {
        const QString& entry = entries[i];
        if (entry.startsWith(prefix, Qt::CaseInsensitive))
            return Completion{int(i), prefix + entry.mid(prefix.size()), prefix.size()};
    }
    return std::nullopt;
}

} // namespace bearing
