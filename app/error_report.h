// The general error report: a failure escaping an event handler is shown and the window goes on.
#pragma once

#include <QString>
#include <QWidget>

#include <functional>

namespace bearing {

inline constexpr const char* kApplicationTitle = "轴承型号查询";

// The text the report shows for `message`: a full stop is appended when the
// last character's code is above the full stop's own (46).
[[nodiscard]] QString errorReportText(const QString& message);

// Runs one event handler; a failure it raises ends the handler only and is
// shown in a modal error box owned by `owner`.
void runHandler(QWidget* owner, const std::function<void()>& handler);

} // namespace bearing
