// The shell request made through the desktop: the user's web browser opens the address.
#pragma once

#include "browse/shell.h"

namespace bearing {

class DesktopShell final : public Shell {
  public:
    void open(const QUrl& address) override;
};

} // namespace bearing
