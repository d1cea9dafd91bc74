// The switches the embedded browser engine needs to start on any machine this program runs on.
#pragma once

#include <QString>

namespace bearing {

// `given` (the flags already in the environment) with the program's own switches added.
[[nodiscard]] QString chromiumFlags(const QString& given, bool runningAsRoot);

// Puts the switches into the environment, where the engine reads them when it starts; to be called
// before the first web view is made.
void prepareChromiumFlags();

} // namespace bearing
